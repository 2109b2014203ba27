#pragma once
// Reading single pixels of 32-bit bitmaps (rows of blue, green, red, unused) in tests.

#include <cstddef>
#include <cstdint>

#include "controls/ControlSurface.h"
#include "dib/Dib.h"

namespace testgif {

// The colour of a pixel as 0xRRGGBB.
inline std::uint32_t RgbAt(const std::uint8_t* bits, int stride, int x, int y) {
    const std::uint8_t* pixel = bits + static_cast<size_t>(y) * stride + x * 4;
    return static_cast<std::uint32_t>(pixel[2]) << 16 | pixel[1] << 8 | pixel[0];
}

inline std::uint32_t RgbAt(const dib::Dib& dib, int x, int y) {
    return RgbAt(dib.lpBits(), dib.BytesPerScanline(), x, y);
}

inline std::uint32_t RgbAt(const controls::ControlSurface& surface, int x, int y) {
    return RgbAt(surface.Bits(), surface.Stride(), x, y);
}

}  // namespace testgif
