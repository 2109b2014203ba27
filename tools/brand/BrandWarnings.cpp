#include "tools/brand/BrandWarnings.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
constexpr int kLineWidth = 70;  // the title label's width in pixels
constexpr int kLines = 3;       // lines 10 pixels apart in its 33 pixels of height

int Width(const std::string& text) {
    int width = 0;
    for (const unsigned char c : text)
        width += c >= 32 ? kTahomaAdvance[c - 32] : 0;
    return width;
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
    // Words go onto a line while they fit; a word wider than a line never fits.
    const std::string shown = core::LabelDisplayText(title);
    const int space = Width(" ");
    int lines = 1, used = 0;
    size_t start = 0;
    while (start <= shown.size()) {
        size_t end = shown.find(' ', start);
        if (end == std::string::npos) end = shown.size();
        const int word = Width(shown.substr(start, end - start));
        if (word > kLineWidth) return false;
        if (used > 0 && used + space + word > kLineWidth) {
            ++lines;
            used = word;
        } else {
            used += (used > 0 ? space : 0) + word;
        }
        start = end + 1;
    }
    return lines <= kLines;
}

std::vector<std::string> BrandingWarnings(const core::BrandingRecord& plain,
                                          const std::string& brandingFile) {
    std::vector<std::string> warnings;
    const std::string title = core::cp1252::ToUtf8(plain.Title);
    if (!TitleFitsItsLine(plain.Title)) {
        warnings.push_back("the title \"" + title +
                           "\" is too long for its line (three lines of 70 pixels); it is cut off");
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
        warnings.push_back("the banner file " + path + " is not there: " + banner +
                           " must be beside " + brandingFile + " before a banner shows");
        return warnings;
    }
    if (animated) {
        gif::GifImage gif;
        if (!gif.LoadFromFile(path)) {
            warnings.push_back("the banner " + path + " is not a GIF that Corpometer can play (" +
                               Describe(gif.LoadStatus()) + ")");
        } else if (gif.FramesCount() < 1) {
            warnings.push_back("the banner " + path + " is a GIF without any picture in it");
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
