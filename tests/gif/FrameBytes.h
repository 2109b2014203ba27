#pragma once
// A frame's colour indices row by row from the top, Width bytes a row (no row padding):
// the form the reference dumps and giflib give them in.

#include <cstdint>
#include <vector>

#include "dib/Dib.h"

inline std::vector<std::uint8_t> Indices(const dib::Dib& colour) {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<size_t>(colour.Width()) * static_cast<size_t>(colour.Height()));
    for (std::int32_t y = 0; y < colour.Height(); ++y) {
        const std::uint8_t* row = colour.lpBits() + size_t(y) * colour.BytesPerScanline();
        out.insert(out.end(), row, row + colour.Width());
    }
    return out;
}
