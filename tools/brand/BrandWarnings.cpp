#include "tools/brand/BrandWarnings.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/core/BrandingBanner.h"
#include "app/core/Cp1252.h"
#include "app/core/LabelText.h"
#include "app/core/Paths.h"
#include "gif/GifImage.h"
#include "platform/RegularFile.h"

namespace brand {

namespace {

// Advance widths in pixels of the Windows-1252 characters 32 to 255 in Tahoma at 11
// pixels (8 points), the title line's font, as Qt lays them out.
constexpr std::uint8_t kTahomaAdvance[224] = {
    3, 4, 4, 8,  6, 11, 7, 2, 4,  4, 6, 8,  3,  4,  3, 4, 6, 6, 6,  6, 6, 6,  6, 6, 6,  6, 4,  4, 8,
    8, 8, 5, 10, 7, 6,  7, 7, 6,  6, 7, 7,  4,  5,  6, 5, 8, 7, 8,  6, 8, 7,  6, 6, 7,  7, 10, 6, 6,
    6, 4, 4, 4,  8, 6,  6, 6, 6,  5, 6, 6,  3,  6,  6, 3, 3, 5, 3,  9, 6, 6,  6, 6, 4,  5, 4,  6, 5,
    8, 5, 5, 5,  5, 4,  5, 8, 5,  6, 0, 2,  6,  4,  9, 6, 6, 6, 15, 6, 4, 11, 0, 6, 0,  0, 2,  2, 4,
    4, 5, 6, 10, 6, 10, 5, 4, 10, 0, 5, 6,  3,  4,  6, 6, 6, 6, 4,  6, 6, 10, 5, 6, 8,  4, 10, 6, 5,
    8, 5, 5, 6,  6, 6,  3, 6, 5,  5, 6, 11, 11, 11, 5, 7, 7, 7, 7,  7, 7, 10, 7, 6, 6,  6, 6,  4, 4,
    4, 4, 8, 7,  8, 8,  8, 8, 8,  8, 8, 7,  7,  7,  7, 6, 6, 6, 6,  6, 6, 6,  6, 6, 10, 5, 6,  6, 6,
    6, 3, 3, 3,  3, 6,  6, 6, 6,  6, 6, 6,  8,  6,  6, 6, 6, 6, 5,  6, 5};
// The same for the name line's font, bold Tahoma at 23 pixels (17 points).
constexpr std::uint8_t kTahomaBoldAdvance[224] = {
    7,  8,  11, 19, 15, 28, 18, 6,  10, 10, 15, 19, 7,  10, 7,  13, 15, 15, 15, 15, 15, 15, 15,
    15, 15, 15, 8,  8,  19, 19, 19, 13, 21, 16, 16, 15, 17, 14, 13, 17, 18, 11, 12, 16, 13, 21,
    18, 18, 15, 18, 17, 15, 14, 17, 16, 24, 16, 15, 14, 10, 13, 10, 19, 15, 13, 14, 15, 12, 14,
    14, 9,  14, 15, 7,  8,  14, 7,  22, 15, 14, 14, 14, 10, 12, 10, 15, 13, 20, 14, 13, 12, 14,
    15, 14, 19, 11, 15, 0,  6,  15, 11, 23, 15, 15, 13, 39, 15, 10, 24, 0,  14, 0,  0,  6,  6,
    11, 11, 15, 15, 21, 13, 20, 12, 10, 23, 0,  12, 15, 7,  8,  15, 15, 15, 15, 15, 15, 13, 21,
    12, 16, 19, 0,  21, 12, 12, 19, 12, 12, 13, 15, 15, 8,  12, 12, 12, 16, 26, 26, 26, 13, 16,
    16, 16, 16, 16, 16, 23, 15, 14, 14, 14, 14, 11, 11, 11, 11, 18, 18, 18, 18, 18, 18, 18, 19,
    18, 17, 17, 17, 17, 15, 15, 15, 14, 14, 14, 14, 14, 14, 22, 12, 14, 14, 14, 14, 7,  7,  7,
    7,  14, 15, 14, 14, 14, 14, 14, 19, 14, 15, 15, 15, 15, 13, 14, 13};

// A label that wraps its text at spaces: the advances of its font, its width in pixels and
// how many lines its height shows.
struct WrappedLine {
    const std::uint8_t* advance;
    int width;
    int lines;
};
// The title: lines 10 pixels apart in its 70 x 33 pixels.
constexpr WrappedLine kTitleLine{kTahomaAdvance, 70, 3};
// The name line: lines 23 pixels apart in its 375 x 60 pixels.
constexpr WrappedLine kNameLine{kTahomaBoldAdvance, 375, 2};

int Width(const std::string& text, const std::uint8_t* advance) {
    int width = 0;
    for (const unsigned char c : text)
        width += c >= 32 ? advance[c - 32] : 0;
    return width;
}

// Whether a Windows-1252 text fits `line` as the label shows it: words go onto a line while
// they fit; a word wider than a line never fits.
bool Fits(const std::string& text, const WrappedLine& line) {
    const std::string shown = core::LabelDisplayText(text);
    const int space = Width(" ", line.advance);
    int lines = 1, used = 0;
    size_t start = 0;
    while (start <= shown.size()) {
        size_t end = shown.find(' ', start);
        if (end == std::string::npos) end = shown.size();
        const int word = Width(shown.substr(start, end - start), line.advance);
        if (word > line.width) return false;
        if (used > 0 && used + space + word > line.width) {
            ++lines;
            used = word;
        } else {
            used += (used > 0 ? space : 0) + word;
        }
        start = end + 1;
    }
    return lines <= line.lines;
}

// The formats Qt reads without extra plug-ins, known by their first bytes.
bool LooksLikeAPicture(const std::string& head) {
    const auto starts = [&](const char* magic, size_t size) {
        return head.size() >= size && std::memcmp(head.data(), magic, size) == 0;
    };
    return starts("\x89PNG\r\n\x1A\n", 8) || starts("\xFF\xD8\xFF", 3) || starts("GIF8", 4) ||
           starts("BM", 2) || starts("\0\0\1\0", 4) || starts("/* XPM */", 9) ||
           starts("#define", 7) ||
           (head.size() >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6');
}

// The first bytes of a file, which say what kind of picture it holds; fewer for a shorter
// file, none for one that cannot be opened. Only the head is read: a picture may be large.
std::string Head(const std::string& path) {
    constexpr std::size_t kHeadBytes = 16;
    std::uint64_t size = 0;
    std::FILE* file = platform::OpenRegularFile(path, size);
    if (file == nullptr) return {};
    std::string head(kHeadBytes, '\0');
    head.resize(std::fread(&head[0], 1, head.size(), file));
    std::fclose(file);
    return head;
}

}  // namespace

bool TitleFitsItsLine(const std::string& title) {
    return Fits(title, kTitleLine);
}

bool NameFitsItsLine(const std::string& name) {
    return Fits(name, kNameLine);
}

std::vector<std::string> BrandingWarnings(const core::BrandingRecord& plain,
                                          const std::string& brandingFile) {
    std::vector<std::string> warnings;
    const std::string title = core::cp1252::ToUtf8(plain.Title);
    if (!TitleFitsItsLine(plain.Title)) {
        warnings.push_back("the title \"" + title +
                           "\" is too long for its line (three lines of 70 pixels); it is cut off");
    }
    // Covered by a banner that shows; with none, or one that does not load, it is seen.
    if (!NameFitsItsLine(plain.NameText)) {
        warnings.push_back("the name \"" + core::cp1252::ToUtf8(plain.NameText) +
                           "\" is too long for its line (two lines of 375 pixels); it is cut off");
    }

    const bool picture = plain.ShowPictureBanner != 0, animated = plain.ShowAnimatedBanner != 0;
    if (!picture && !animated) return warnings;
    if (plain.BannerFile.empty()) {
        warnings.push_back("a banner is to be shown, but no --banner-file names it");
        return warnings;
    }
    // Where Corpometer looks: the folder of the branding file it uses.
    std::string folder = std::filesystem::u8path(brandingFile).parent_path().u8string();
    if (folder.empty()) folder = ".";
    const std::string banner = core::cp1252::ToUtf8(plain.BannerFile);
    const std::string path = core::BannerPathIn(folder, banner);
    // What Corpometer refuses to show, it refuses here too.
    if (const std::string why = core::BannerRefusal(banner, path); !why.empty()) {
        warnings.push_back("the banner " + path + " cannot be used: " + why);
        return warnings;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), error)) {
        // A name that looks absolute is said as it was given, with where it is looked for.
        if (core::BannerNameLooksAbsolute(banner)) {
            warnings.push_back("the banner file " + banner +
                               " is looked for inside the folder of " + brandingFile + ", as " +
                               path + ", which is not there: copy the banner beside " +
                               brandingFile + " and name it relative to that folder");
        } else {
            warnings.push_back("the banner file " + path + " is not there: " + banner +
                               " must be beside " + brandingFile + " before a banner shows");
        }
        return warnings;
    }
    if (animated) {
        // Read as the program plays a banner, within what a banner may take.
        gif::GifImage gif;
        gif.SetLoadLimits(core::BannerLoadLimits());
        if (!gif.LoadFromFile(path)) {
            warnings.push_back("the banner " + path + " is not a GIF that Corpometer can play (" +
                               Describe(gif.LoadStatus()) + ")");
        } else if (gif.FramesCount() < 1) {
            warnings.push_back("the banner " + path + " is a GIF without any picture in it");
        } else if (!gif.LoadDamage().empty()) {
            warnings.push_back("the banner " + path + " does not play whole: " + gif.LoadDamage());
        }
    } else {
        if (!LooksLikeAPicture(Head(path))) {
            warnings.push_back("the banner " + path +
                               " is not a picture that Corpometer can show (PNG, JPEG, GIF, BMP, "
                               "ICO, PBM, PGM, PPM, XBM or XPM)");
        }
    }
    return warnings;
}

}  // namespace brand
