#pragma once
// The pixel layouts of the device-independent bitmaps this layer makes, and their facts: bits
// a pixel, colour-table size, row stride. Everything that depends on a bitmap's depth asks
// here instead of testing bit counts itself.

#include <cstdint>
#include <optional>

namespace platform::gdi {

enum class PixelFormat : int {
    Indexed1 = 1,   // two colours, the leftmost pixel in the top bit of its byte
    Indexed4 = 4,   // sixteen colours, the left pixel in the high nibble
    Indexed8 = 8,   // 256 colours, a byte a pixel
    Packed16 = 16,  // 5-5-5 words unless channel masks say otherwise
    Direct24 = 24,  // blue, green, red bytes
    Direct32 = 32,  // blue, green, red, unused bytes unless channel masks say otherwise
};

// The format of a bit count; none for a count no bitmap here has.
constexpr std::optional<PixelFormat> PixelFormatOf(int bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return static_cast<PixelFormat>(bitCount);
        default:
            return std::nullopt;
    }
}

constexpr int BitsPerPixel(PixelFormat format) {
    return static_cast<int>(format);
}

// Formats of 8 bits a pixel or fewer store colour-table indices.
constexpr bool IsIndexed(PixelFormat format) {
    return BitsPerPixel(format) <= 8;
}

// 2, 16 or 256 entries for the indexed formats; 0 for the others.
constexpr int ColourTableSize(PixelFormat format) {
    return IsIndexed(format) ? 1 << BitsPerPixel(format) : 0;
}

// 16 and 32 bits a pixel may carry channel masks.
constexpr bool HasChannelMasks(PixelFormat format) {
    return format == PixelFormat::Packed16 || format == PixelFormat::Direct32;
}

// Whether a bit count is one of the formats with channel masks (16 or 32).
constexpr bool HasChannelMasks(int bitCount) {
    const std::optional<PixelFormat> format = PixelFormatOf(bitCount);
    return format.has_value() && HasChannelMasks(*format);
}

// Bytes of one row of `width` pixels: rows are padded to whole 32-bit words, so
// ((width x bits + 31) / 32) x 4, the division truncating toward zero. 64-bit so that no
// width of a file can overflow it; the callers check the result against their limits.
constexpr std::int64_t RowStride(std::int64_t width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}
constexpr std::int64_t RowStride(std::int64_t width, PixelFormat format) {
    return RowStride(width, BitsPerPixel(format));
}

}  // namespace platform::gdi
