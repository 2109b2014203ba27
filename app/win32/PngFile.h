#pragma once
// PNG files for the Windows window, which has no toolkit to read or write them: its artwork
// (8-bit RGB and RGBA, as assets/make_artwork.cpp draws it) is read from the program's
// resources, and a screenshot of the window is written as one.

#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

struct PngImage {
    int width = 0;
    int height = 0;
    bool alpha = false;                // the file has an alpha channel
    std::vector<std::uint32_t> argb;  // rows from the top, 0xAARRGGBB
};

// Decodes a non-interlaced 8-bit RGB or RGBA PNG file. False for anything else, a damaged
// file, or one whose pixels (4 bytes each) would take more than `maxPixelBytes`; the size is
// checked from the file's header before anything is allocated.
bool DecodePng(const std::uint8_t* bytes, std::size_t size, PngImage& image,
               std::uint64_t maxPixelBytes = std::uint64_t{64} << 20);

// The PNG file (8-bit RGB) of `width` x `height` pixels 0x00RRGGBB, rows `stride` bytes apart.
std::string EncodePng(const std::uint8_t* pixels, int width, int height, int stride);

}  // namespace win32
