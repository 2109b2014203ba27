#pragma once
// Finds the colour-table entry nearest to a colour: the smallest squared distance over red,
// green and blue, the lowest index on ties. A blit converts many pixels of few distinct
// colours, so answers are kept in a small cache.

#include <cstdint>
#include <vector>

#include "platform/gdi/ChannelMasks.h"
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

class NearestColor {
  public:
    NearestColor(const RGBQUAD* table, int count);

    // The index of the nearest entry to `rgb` (0x00RRGGBB; the top byte is ignored).
    std::uint32_t IndexOf(Rgb32 rgb);

  private:
    std::uint32_t Search(Rgb32 rgb) const;

    struct Entry {
        int red, green, blue;
    };
    std::vector<Entry> entries_;
    // Each slot holds (1 << 40) | (colour << 8) | index once filled.
    std::vector<std::uint64_t> cache_;
};

}  // namespace platform::gdi
