#pragma once
// Plain values of the graphics layer: colour references, rectangles, raster operation codes,
// the bitmap information header and the colour-table entry, with the platform's layouts.

#include <cstdint>

namespace platform::gdi {

// A colour reference: red + 256 x green + 65536 x blue.
using COLORREF = std::uint32_t;

constexpr COLORREF MakeColorRef(int red, int green, int blue) {
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// A rectangle; right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The raster operations this layer performs (the platform's ternary codes).
constexpr std::uint32_t kSrcCopy = 0x00CC0020;   // destination = source
constexpr std::uint32_t kSrcAnd = 0x008800C6;    // destination = destination AND source
constexpr std::uint32_t kSrcPaint = 0x00EE0086;  // destination = destination OR source

// Stretch modes. Colour on colour drops or repeats rows and columns and never blends.
constexpr int kBlackOnWhite = 1;
constexpr int kWhiteOnBlack = 2;
constexpr int kColorOnColor = 3;
constexpr int kHalftone = 4;

// Object kinds as the platform numbers them (GetObjectType).
enum class ObjectType : std::int32_t {
    None = 0,
    Brush = 2,
    Dc = 3,
    Bitmap = 7,
    Region = 8,
    MemoryDc = 10,
};

// Region combination and region kinds.
constexpr int kRgnDiff = 4;
constexpr int kRegionError = 0;
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;

// Compression values of a bitmap header that this layer understands.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// The 40-byte bitmap information header, field for field.
struct BITMAPINFOHEADER {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;  // negative: rows run top-down
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// One colour-table entry, in memory order blue, green, red, reserved.
struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};
static_assert(sizeof(RGBQUAD) == 4, "colour-table entries are 4 bytes");

// The colour table of a monochrome bitmap: 0 black, 1 white. A mask drawn with source AND
// keeps the destination where it is white and clears it where it is black.
constexpr RGBQUAD kMonochromeColours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

// A bitmap's description (GetObject): the platform's 24-byte record.
struct BITMAP {
    std::int32_t bmType = 0;
    std::int32_t bmWidth = 0;
    std::int32_t bmHeight = 0;
    std::int32_t bmWidthBytes = 0;
    std::uint16_t bmPlanes = 0;
    std::uint16_t bmBitsPixel = 0;
    void* bmBits = nullptr;
};

}  // namespace platform::gdi
