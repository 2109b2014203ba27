// corpometer-brand: writes the branding file "3.dat" and shows what one decodes to. Its
// command line: kUsage and kHelp below.
// Texts on the command line are taken as UTF-8 (on Windows, from the wide command line).

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/Branding.h"
#include "app/core/Cp1252.h"
#include "app/core/Descrambler.h"
#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/UserLanguage.h"
#include "platform/WholeFile.h"
#include "tools/brand/BrandScrambler.h"
#include "tools/brand/BrandWarnings.h"
#include "tools/brand/HelpTranslations.h"

namespace {

constexpr std::size_t kMaxStoredText = 0xFFFF;  // the 16-bit count in front of every text
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The usage and the help: the one place where the command line is described.
const char kUsage[] =
    "usage: corpometer-brand write FILE [OPTION...]\n"
    "       corpometer-brand show FILE\n"
    "       corpometer-brand --help | --version\n";
const char kHelp[] =
    "\n"
    "Writes Corpometer's branding file (3.dat), or shows what one holds as the program\n"
    "reads it, one Field=value line per field. Texts not given keep the built-in\n"
    "defaults; texts are stored in Windows-1252, and a character outside it is refused.\n"
    "\n"
    "Options of write:\n"
    "  --name-text T          the company line; && shows one ampersand\n"
    "  --title T              the title line (three short lines at most)\n"
    "  --link T               what a click on the company line or the banner opens: a\n"
    "                         web or mail address, or a file\n"
    "  --banner-file F        the banner's file, relative to the folder of FILE (\\ or /\n"
    "                         between folders)\n"
    "  --picture-banner       shows the banner file as a still picture\n"
    "  --animated-banner      plays the banner file as an animated GIF\n"
    "  --name-font-size N     kept in the file, not applied: -32768 to 32767\n"
    "  --title-font-size N    kept in the file, not applied: -32768 to 32767\n"
    "  --font-name T          kept in the file, not applied\n"
    "  --seed N               the scrambling keys come from seed N (0 to 4294967295)\n"
    "                         instead of at random: the same options and seed write\n"
    "                         the same bytes\n"
    "  -h, --help             prints this help and exits\n"
    "  --version              prints the version and exits\n"
    "\n"
    "write warns (and still writes) when the banner file is not beside FILE or is not a\n"
    "picture Corpometer can show, and when the title or the company name is too long\n"
    "for its line. show names the fields of a damaged FILE that show blank.\n"
    "\n"
    "Exit status: 0 on success, 1 when FILE cannot be written or read or is damaged, 2\n"
    "for a usage error.\n";

struct UsageError {
    std::string message;
};

// The first character of `utf8` that Windows-1252 cannot store, as "Ω" (U+03A9), or empty
// when there is none; "" also for text that is not UTF-8 at all.
std::string FirstUnstorable(const std::string& utf8) {
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string character = utf8.substr(at, length);
        if (!core::cp1252::FromUtf8(character)) {
            if (lead < 0xC2 || lead > 0xF4 || character.size() < length) return {};
            std::uint32_t code = lead & (0x7F >> length);
            for (size_t i = 1; i < length; ++i)
                code = code << 6 | (static_cast<unsigned char>(character[i]) & 0x3F);
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
            return "\"" + character + "\" (" + number + ")";
        }
        at += length;
    }
    return {};
}

std::string ToCodePage(const std::string& option, const std::string& utf8) {
    auto bytes = core::cp1252::FromUtf8(utf8);
    if (!bytes) {
        const std::string character = FirstUnstorable(utf8);
        throw UsageError{character.empty()
                             ? platform::LocalMessage(brand::kNotUtf8, {option})
                             : platform::LocalMessage(brand::kNotInCodePage, {option, character})};
    }
    return *bytes;
}

std::int16_t ToFontSize(const std::string& option, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < -32768 || value > 32767) {
        throw UsageError{platform::LocalMessage(brand::kNotAFontSize, {option, text})};
    }
    return static_cast<std::int16_t>(value);
}

// The seed of the key choice: a whole number that fits 32 bits. Read as unsigned long
// long, since unsigned long has only 32 bits on Windows and would wrap larger numbers.
std::mt19937::result_type ToSeed(const std::string& option, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || *end != '\0' ||
        errno != 0 || value > 0xFFFFFFFFull) {
        throw UsageError{platform::LocalMessage(brand::kNotASeed, {option, text})};
    }
    return static_cast<std::mt19937::result_type>(value);
}

std::string ScrambleField(const std::string& option, const std::string& plain,
                          std::mt19937& random) {
    const std::string stored = brand::Scramble(plain, random);
    if (stored.size() > kMaxStoredText) {
        throw UsageError{platform::LocalMessage(
            brand::kTextTooLong,
            {option, std::to_string(plain.size()), std::to_string(kMaxStoredText - 4)})};
    }
    return stored;
}

int Write(const std::string& file, const std::vector<std::string>& args) {
    core::BrandingRecord plain = core::DefaultBrandingRecord();
    std::optional<std::mt19937::result_type> seed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError{platform::LocalMessage(platform::kNeedsValue, {option})};
            return args[++i];
        };
        if (option == "--name-text")
            plain.NameText = ToCodePage(option, value());
        else if (option == "--title")
            plain.Title = ToCodePage(option, value());
        else if (option == "--link")
            plain.Link = ToCodePage(option, value());
        else if (option == "--banner-file")
            plain.BannerFile = ToCodePage(option, value());
        else if (option == "--picture-banner")
            plain.ShowPictureBanner = -1;
        else if (option == "--animated-banner")
            plain.ShowAnimatedBanner = -1;
        else if (option == "--name-font-size")
            plain.NameFontSize = ToFontSize(option, value());
        else if (option == "--title-font-size")
            plain.TitleFontSize = ToFontSize(option, value());
        else if (option == "--font-name")
            plain.FontName = ToCodePage(option, value());
        else if (option == "--seed")  // fixed keys: the same options give the same bytes
            seed = ToSeed(option, value());
        else
            throw UsageError{platform::LocalMessage(platform::kUnknownOption, {option})};
    }
    if (plain.FontName.size() > kMaxStoredText) {
        throw UsageError{platform::LocalMessage(
            brand::kTextTooLong, {"--font-name", std::to_string(plain.FontName.size()),
                                  std::to_string(kMaxStoredText)})};
    }

    std::mt19937 random{seed ? *seed : std::random_device{}()};
    core::BrandingRecord stored = plain;
    stored.NameText = ScrambleField("--name-text", plain.NameText, random);
    stored.Title = ScrambleField("--title", plain.Title, random);
    stored.Link = ScrambleField("--link", plain.Link, random);
    stored.BannerFile = ScrambleField("--banner-file", plain.BannerFile, random);

    const std::string bytes = core::SerializeBrandingRecord(stored);
    // Saved as the program saves files: a write that fails half-way leaves the previous
    // file whole, and a pipe or a device is refused rather than waited on.
    try {
        platform::AtomicFile out(file);
        out.Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        out.Commit();
    } catch (const std::runtime_error& error) {
        std::cerr << "corpometer-brand: cannot write " << file << ": " << error.what() << "\n";
        return kExitFailure;
    }
    for (const std::string& warning : brand::BrandingWarnings(plain, file))
        std::cerr << "corpometer-brand: warning: " << warning << "\n";
    return kExitOk;
}

int Show(const std::string& file) {
    // Read as the program reads it: a pipe, a device or a file larger than the program would
    // take is refused rather than waited on or read for ever.
    std::vector<std::uint8_t> content;
    std::string why;
    if (!platform::ReadWholeFile(file, content, core::kMaxBrandingFileBytes, &why)) {
        std::cerr << "corpometer-brand: cannot read " << file << ": " << why << "\n";
        return kExitFailure;
    }
    const std::string bytes(content.begin(), content.end());
    if (bytes.empty()) {
        std::cerr << "corpometer-brand: " << file
                  << " is empty; Corpometer deletes such a file and shows its defaults\n";
        return kExitFailure;
    }
    // The same reading and descrambling the program does.
    const core::BrandingRecord record = core::ParseBrandingRecord(bytes);
    const auto text = [](const std::string& stored) {
        return core::cp1252::ToUtf8(core::Descramble(stored));
    };
    std::cout << "NameText=" << text(record.NameText) << "\n"
              << "Title=" << text(record.Title) << "\n"
              << "Link=" << text(record.Link) << "\n"
              << "ShowPictureBanner=" << record.ShowPictureBanner << "\n"
              << "ShowAnimatedBanner=" << record.ShowAnimatedBanner << "\n"
              << "BannerFile=" << text(record.BannerFile) << "\n"
              << "NameFontSize=" << record.NameFontSize << "\n"
              << "TitleFontSize=" << record.TitleFontSize << "\n"
              << "FontName=" << core::cp1252::ToUtf8(record.FontName) << "\n";
    // Said as the program says it, and not a success: what shows blank was lost.
    if (const std::string damage = core::BrandingDamage(bytes); !damage.empty()) {
        std::cerr << "corpometer-brand: \"" << file << "\" is damaged: " << damage << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
    const platform::HelpText help = platform::LocalHelp(kUsage, kHelp, brand::kTranslatedHelp);
    try {
        if (args.empty()) throw UsageError{platform::LocalMessage(platform::kNoCommand)};
        const std::string& command = args[0];
        if (command == "write") {
            if (args.size() < 2 || args[1].rfind("--", 0) == 0)
                throw UsageError{platform::LocalMessage(brand::kWriteNeedsFile)};
            return Write(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
        }
        if (command == "show") {
            if (args.size() != 2) throw UsageError{platform::LocalMessage(brand::kShowTakesFile)};
            return Show(args[1]);
        }
        if (args.size() == 1 && (command == "--help" || command == "-h")) {
            std::cout << help.usage << help.help;
            return kExitOk;
        }
        if (args.size() == 1 && command == "--version") {
            std::cout << "corpometer-brand " << CORPOMETER_VERSION << "\n";
            return kExitOk;
        }
        if (command.rfind("-", 0) == 0)
            throw UsageError{platform::LocalMessage(platform::kUnknownOption, {command})};
        throw UsageError{platform::LocalMessage(platform::kUnknownCommand, {command})};
    } catch (const UsageError& error) {
        std::cerr << "corpometer-brand: " << error.message << "\n" << help.usage;
        return kExitUsage;
    }
}
