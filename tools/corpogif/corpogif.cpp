// corpogif: the GIF inspector. What it does and its options: kHelp below.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "gif/GifImage.h"
#include "platform/CommandLine.h"
#include "platform/UserLanguage.h"
#include "tools/corpogif/DamageReport.h"
#include "tools/corpogif/FramesCommand.h"
#include "tools/corpogif/GifInfo.h"
#include "tools/corpogif/GifInput.h"
#include "tools/corpogif/GifResave.h"
#include "tools/corpogif/HelpTranslations.h"
#include "tools/corpogif/LoadTiming.h"

namespace {

constexpr int kLoaded = 0;
constexpr int kNotLoaded = 1;
constexpr int kUsageError = 2;

// The usage and the help: the one place where the command line is described.
const char kUsage[] =
    "usage: corpogif info FILE...\n"
    "       corpogif time FILE [--repeat N] [--encode]\n"
    "       corpogif resave IN OUT [--salvage]\n"
    "       corpogif frames FILE OUTDIR [--background [#]RRGGBB] [--replace]\n"
    "       corpogif --help | --version\n";
const char kHelp[] =
    "\n"
    "Shows how Corpometer reads, plays and writes a GIF file.\n"
    "\n"
    "Commands:\n"
    "  info FILE...   one JSON object a line for each FILE, in the order named: the\n"
    "                 screen, the loop count, the palettes and each frame's fields and\n"
    "                 pixel digests; \"complete\": false and \"damage\" for a file that is\n"
    "                 cut short or damaged. FILE \"-\" is standard input. Neither is\n"
    "                 read past 1 GiB, the most a GIF is read from.\n"
    "  time FILE      loads FILE from memory again and again and prints the median time\n"
    "                 and megapixels per second\n"
    "  resave IN OUT  loads IN and writes it to OUT as Corpometer writes GIFs; a\n"
    "                 damaged IN is not written\n"
    "  frames FILE OUTDIR\n"
    "                 writes what the banner viewer shows after each frame as\n"
    "                 OUTDIR/frame-001.png, frame-002.png, ... (of a damaged FILE,\n"
    "                 what was read); an OUTDIR that holds frame files is refused\n"
    "\n"
    "Options:\n"
    "  --repeat N     time: N loads (1 to 1000000) instead of as many as fit in about\n"
    "                 a second\n"
    "  --encode       time: times writing the loaded frames into memory instead\n"
    "  --salvage      resave: writes a damaged IN as far as it was read, its lost\n"
    "                 pixels as colour 0 (and still says what was lost)\n"
    "  --background [#]RRGGBB\n"
    "                 frames: the colour behind the frames, six hexadecimal digits of\n"
    "                 red, green and blue (default: the window's button face)\n"
    "  --replace      frames: removes the frame files OUTDIR holds, then writes\n"
    "  -h, --help     prints this help and exits\n"
    "  --version      prints the version and exits\n"
    "\n"
    "Every command names an incomplete or damaged file on standard error with the first\n"
    "thing wrong with it.\n"
    "\n"
    "Exit status: 0 when every file loaded complete (and was saved), 1 when a file did\n"
    "not load, is incomplete or was not saved, 2 for a usage error.\n";

// A usage error, said whole in the user's language: the problem (none when it has been said
// already), then the usage.
int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "corpogif: " << problem << "\n";
    std::cerr << platform::LocalHelp(kUsage, kHelp, corpogif::kTranslatedHelp).usage;
    return kUsageError;
}

// Prints the file's line; kLoaded only for a file that loaded complete.
int Info(const std::string& path) {
    gif::GifImage gif;
    std::vector<std::uint8_t> bytes;
    std::string why;
    gif::GifLoadStatus status = gif::GifLoadStatus::Unreadable;
    if (corpogif::ReadGifInput(path, bytes, why)) {
        try {
            gif.LoadFromStream(bytes);
            status = gif.LoadStatus();
        } catch (const std::exception&) {
            // Too short for a signature or a version.
            status =
                bytes.empty() ? gif::GifLoadStatus::EmptyStream : gif::GifLoadStatus::CutInHeader;
        }
        why = Describe(status);
    }
    const bool loaded = status == gif::GifLoadStatus::Loaded;
    const std::string damage = loaded ? gif.LoadDamage() : std::string();
    std::cout << corpogif::GifInfoJson(gif, loaded, loaded ? gif.Model().version : std::string(),
                                       damage)
              << std::endl;
    if (!loaded) {
        std::cerr << "corpogif: " << path << ": not loaded (" << why << ")\n";
        return kNotLoaded;
    }
    return corpogif::ReportDamage(path, damage, std::cerr) ? kNotLoaded : kLoaded;
}

int Time(const std::string& path, int repeat, bool encode) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!corpogif::ReadGifInput(path, bytes, why)) {
        std::cerr << "corpogif: " << path << ": not loaded (" << why << ")\n";
        return kNotLoaded;
    }
    gif::GifImage probe;
    bool loaded = false;
    try {
        loaded = probe.LoadFromStream(bytes);
    } catch (const std::exception&) {
    }
    if (!loaded) {
        std::cerr << "corpogif: " << path << ": not loaded (" << Describe(probe.LoadStatus())
                  << ")\n";
        return kNotLoaded;
    }
    // A damaged file is timed too, as what was read of it, and said to be damaged.
    const int complete =
        corpogif::ReportDamage(path, probe.LoadDamage(), std::cerr) ? kNotLoaded : kLoaded;
    if (!encode) {
        std::cout << corpogif::FormatTiming(path, corpogif::TimeLoads(bytes, repeat)) << "\n";
        return complete;
    }
    try {
        std::cout << corpogif::FormatTiming(path, corpogif::TimeEncodes(probe, repeat), "encodes")
                  << "\n";
    } catch (const std::exception& error) {
        std::cerr << "corpogif: " << path << ": cannot be encoded: " << error.what() << "\n";
        return kNotLoaded;
    }
    return complete;
}

}  // namespace

int main(int argc, char** argv) {
    // The JSON and the timings come out byte for byte as on other systems, so that outputs
    // compare across them, and a GIF on standard input comes in byte for byte.
    platform::UseBinaryStandardStreams();
    const std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
    if (args.empty()) return Usage(platform::LocalMessage(platform::kNoCommand));
    const std::string& command = args[0];
    if (args.size() == 1 && (command == "--help" || command == "-h")) {
        const platform::HelpText text =
            platform::LocalHelp(kUsage, kHelp, corpogif::kTranslatedHelp);
        std::cout << text.usage << text.help;
        return kLoaded;
    }
    if (args.size() == 1 && command == "--version") {
        std::cout << "corpogif " << CORPOMETER_VERSION << "\n";
        return kLoaded;
    }
    if (command == "frames") {
        const int status =
            corpogif::RunFrames({args.begin() + 1, args.end()}, std::cout, std::cerr);
        return status == kUsageError ? Usage("") : status;
    }
    if (command == "info") {
        if (args.size() < 2) return Usage(platform::LocalMessage(corpogif::kInfoTakesFiles));
        int status = kLoaded;
        for (size_t i = 1; i < args.size(); ++i)
            status = std::max(status, Info(args[i]));
        return status;
    }
    if (command == "time") {
        if (args.size() < 2) return Usage(platform::LocalMessage(corpogif::kTimeTakesFile));
        int repeat = 0;
        bool encode = false;
        for (size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--encode") {
                encode = true;
            } else if (args[i] == "--repeat" && i + 1 < args.size()) {
                char* end = nullptr;
                const long n = std::strtol(args[++i].c_str(), &end, 10);
                if (*end != '\0' || n < 1 || n > 1000000)
                    return Usage(platform::LocalMessage(corpogif::kRepeatNeedsCount));
                repeat = int(n);
            } else {
                return Usage(args[i] == "--repeat"
                                 ? platform::LocalMessage(corpogif::kRepeatNeedsCount)
                                 : platform::LocalMessage(platform::kUnknownOption, {args[i]}));
            }
        }
        return Time(args[1], repeat, encode);
    }
    if (command == "resave") {
        std::vector<std::string> files;
        bool salvage = false;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--salvage")
                salvage = true;
            else if (args[i].size() > 1 && args[i][0] == '-')
                return Usage(platform::LocalMessage(platform::kUnknownOption, {args[i]}));
            else
                files.push_back(args[i]);
        }
        if (files.size() != 2) return Usage(platform::LocalMessage(corpogif::kResaveTakesTwoFiles));
        return corpogif::ResaveGif(files[0], files[1], std::cerr, salvage);
    }
    return Usage(platform::LocalMessage(platform::kUnknownCommand, {command}));
}
