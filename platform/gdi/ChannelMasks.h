#pragma once
// The colour channels of a 16- or 32-bit pixel, given as bit masks, and the conversion of
// such a pixel to and from 8 bits a channel.

#include <cstdint>

namespace platform::gdi {

// A colour as 8-bit channels in the byte order of a 32-bit pixel: 0x00RRGGBB, blue lowest.
using Rgb32 = std::uint32_t;

constexpr Rgb32 MakeRgb32(int red, int green, int blue) {
    return static_cast<Rgb32>(((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF));
}

// One channel of a packed pixel: where it sits and how wide it is.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;  // position of the mask's lowest bit
    int bits = 0;   // number of contiguous bits in the mask

    static Channel FromMask(std::uint32_t mask);

    // The channel's value scaled to 0..255 (full scale maps to 255).
    int Expand(std::uint32_t pixel) const;
    // The 8-bit value narrowed to the channel's width and put in place.
    std::uint32_t Place(int value8) const;
};

struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;

    bool operator==(const ChannelMasks& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const ChannelMasks& o) const { return !(*this == o); }

    // The layouts of uncompressed pixels: 5-5-5 words and B, G, R, unused bytes.
    static ChannelMasks Standard16() { return {0x7C00, 0x03E0, 0x001F}; }
    static ChannelMasks Standard32() { return {0x00FF0000, 0x0000FF00, 0x000000FF}; }

    // Masks a bitmap may carry: each one non-empty and contiguous, no two overlapping.
    bool IsUsable(int bitCount) const;
};

// Decodes and encodes pixels of one mask layout; built once per operation, not per pixel.
class PixelPacker {
  public:
    explicit PixelPacker(const ChannelMasks& masks);
    Rgb32 Decode(std::uint32_t pixel) const {
        return MakeRgb32(red_.Expand(pixel), green_.Expand(pixel), blue_.Expand(pixel));
    }
    std::uint32_t Encode(Rgb32 rgb) const {
        return red_.Place((rgb >> 16) & 0xFF) | green_.Place((rgb >> 8) & 0xFF) |
               blue_.Place(rgb & 0xFF);
    }

  private:
    Channel red_, green_, blue_;
};

inline int Channel::Expand(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<int>(value >> (bits - 8));
    // Narrow channels are scaled with rounding so that full scale becomes 255
    // (5 bits: 31 -> 255, 16 -> 132), the same as repeating the bits.
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<int>((value * 255 + top / 2) / top);
}

inline std::uint32_t Channel::Place(int value8) const {
    if (bits == 0) return 0;
    const std::uint32_t v = static_cast<std::uint32_t>(value8) & 0xFF;
    const std::uint32_t narrowed = bits >= 8 ? v << (bits - 8) : v >> (8 - bits);
    return (narrowed << shift) & mask;
}

}  // namespace platform::gdi
