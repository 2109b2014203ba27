#pragma once
// A row-addressed byte view over a bitmap's pixel memory: the LZW decoder writes colour
// indices through it and the LZW encoder reads them, both in place. The view does not own
// the memory; it is valid while the bitmap it was made from keeps its pixels.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace gif {

struct PixelView {
    std::uint8_t* bits = nullptr;       // first byte of row 0 (the top row)
    std::int32_t bytesPerScanline = 0;  // row stride, padding included
    std::int32_t height = 0;            // number of rows

    bool Empty() const { return bits == nullptr || bytesPerScanline <= 0 || height <= 0; }

    std::uint8_t* Row(std::int32_t y) const {
        return bits + static_cast<ptrdiff_t>(y) * bytesPerScanline;
    }

    // Element (x, y), bounds-checked: x below the stride, y below the height.
    std::uint8_t& At(std::int32_t x, std::int32_t y) const {
        if (x < 0 || x >= bytesPerScanline || y < 0 || y >= height || bits == nullptr)
            throw std::out_of_range("pixel outside the bitmap");
        return Row(y)[x];
    }
};

}  // namespace gif
