#include "tools/corpogif/FramesCommand.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "dib/Dib.h"
#include "gif/GifCompositor.h"
#include "gif/GifImage.h"
#include "platform/SystemColors.h"
#include "platform/UserLanguage.h"
#include "tools/corpogif/DamageReport.h"
#include "tools/corpogif/HelpTranslations.h"
#include "tools/corpogif/PngWriter.h"

namespace corpogif {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// "RRGGBB" or "#RRGGBB" as a colour value (red + 256 * green + 65536 * blue).
std::optional<std::uint32_t> ParseRgb(std::string text) {
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6) return std::nullopt;
    std::uint32_t rgb = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    const std::uint32_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return red | green << 8 | blue << 16;
}

// The 32-bit buffer's pixels (blue, green, red, unused) as RGB bytes, rows top-down.
std::vector<std::uint8_t> ToRgb(const dib::Dib& dib) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(dib.Width()) * dib.Height() * 3);
    const auto* bits = static_cast<const std::uint8_t*>(dib.lpBits());
    for (std::int32_t y = 0; y < dib.Height(); ++y) {
        const std::uint8_t* pixel = bits + static_cast<size_t>(y) * dib.BytesPerScanline();
        for (std::int32_t x = 0; x < dib.Width(); ++x, pixel += 4) {
            rgb.push_back(pixel[2]);
            rgb.push_back(pixel[1]);
            rgb.push_back(pixel[0]);
        }
    }
    return rgb;
}

std::string FrameFileName(int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%03d.png", frame);
    return name;
}

// A name this command writes: "frame-", digits, ".png".
bool IsFrameFileName(const std::string& name) {
    constexpr size_t kPrefix = 6, kSuffix = 4;
    if (name.size() <= kPrefix + kSuffix || name.compare(0, kPrefix, "frame-") != 0 ||
        name.compare(name.size() - kSuffix, kSuffix, ".png") != 0)
        return false;
    return name.find_first_not_of("0123456789", kPrefix) == name.size() - kSuffix;
}

// The frame files already in `folder` (none when it does not exist).
std::vector<std::filesystem::path> FrameFilesIn(const std::filesystem::path& folder,
                                                std::error_code& error) {
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(folder, error)) {
        error.clear();
        return files;
    }
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (IsFrameFileName(entry->path().filename().u8string())) files.push_back(entry->path());
    }
    return files;
}

}  // namespace

int RunFrames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    std::uint32_t backColor = platform::kOleButtonFace;  // the viewer's own default
    bool replace = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--replace") {
            replace = true;
        } else if (args[i] == "--background") {
            const auto colour = i + 1 < args.size() ? ParseRgb(args[i + 1]) : std::nullopt;
            if (!colour) {
                err << "corpogif: " << platform::LocalMessage(kBackgroundNeedsColour) << "\n";
                return kExitUsage;
            }
            backColor = *colour;
            ++i;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            err << "corpogif: " << platform::LocalMessage(platform::kUnknownOption, {args[i]}) << "\n";
            return kExitUsage;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        err << "corpogif: " << platform::LocalMessage(kFramesTakesTwo) << "\n";
        return kExitUsage;
    }
    const std::string& file = positional[0];
    const std::filesystem::path outDir = std::filesystem::u8path(positional[1]);

    gif::GifImage gif;
    const bool loaded = gif.LoadFromFile(file);
    if (!loaded || gif.FramesCount() < 1) {
        err << "corpogif frames: " << file << " could not be read as a GIF with frames";
        if (loaded && !gif.LoadDamage().empty()) err << " (" << gif.LoadDamage() << ")";
        err << "\n";
        return kExitFailure;
    }
    // The folder is the command's: frames of an earlier run in it are not mixed with these
    // (nor are some of them left behind by a shorter animation), and are replaced only when
    // asked.
    std::error_code listError;
    const std::vector<std::filesystem::path> earlier = FrameFilesIn(outDir, listError);
    if (listError) {
        err << "corpogif frames: cannot read " << outDir.u8string() << ": " << listError.message()
            << "\n";
        return kExitFailure;
    }
    if (!earlier.empty() && !replace) {
        err << "corpogif frames: " << outDir.u8string() << " already holds frame files ("
            << earlier.size() << "); --replace replaces them\n";
        return kExitFailure;
    }
    for (const std::filesystem::path& old : earlier) {
        std::error_code error;
        if (!std::filesystem::remove(old, error) && error) {
            err << "corpogif frames: cannot remove " << old.u8string() << ": " << error.message()
                << "\n";
            return kExitFailure;
        }
    }
    // The folder is made only once there is a frame to put in it, and a folder made here
    // that no frame went into is taken away again.
    bool madeFolder = false;
    const auto fail = [&] {
        std::error_code ignored;
        if (madeFolder) std::filesystem::remove(outDir, ignored);  // only when empty
        return kExitFailure;
    };
    // Frame after frame, as the GIF viewer plays them from the start.
    gif::GifCompositor compositor;
    compositor.Reset(gif.ScreenWidth(), gif.ScreenHeight(), backColor);
    int written = 0;
    for (gif::FrameNumber frame = 1; frame <= gif.FramesCount(); ++frame) {
        compositor.Compose(gif, frame, backColor);
        const dib::Dib& screen = compositor.Display();
        if (screen.hDIB() == nullptr) {
            // The 16-bit sizes as the file stores them.
            err << "corpogif frames: the logical screen " << std::uint16_t(gif.ScreenWidth())
                << " x " << std::uint16_t(gif.ScreenHeight()) << " cannot be composed\n";
            return fail();
        }
        if (written == 0) {
            std::error_code error;
            madeFolder = std::filesystem::create_directories(outDir, error);
            if (error) {
                err << "corpogif frames: cannot create " << outDir.u8string() << ": "
                    << error.message() << "\n";
                return kExitFailure;
            }
        }
        const std::filesystem::path path = outDir / FrameFileName(frame);
        if (!corpogif::WriteRgb(path.u8string(), screen.Width(), screen.Height(), ToRgb(screen))) {
            err << "corpogif frames: cannot write " << path.u8string() << "\n";
            return fail();
        }
        ++written;
    }
    out << written << " frame" << (written == 1 ? "" : "s") << " written to " << outDir.u8string()
        << "\n";
    // What could be read is written; what could not is said, and the run is not a success.
    return ReportDamage(file, gif.LoadDamage(), err, "the frames show what was read of it")
               ? kExitFailure
               : kExitOk;
}

}  // namespace corpogif
