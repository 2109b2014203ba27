#include "platform/gdi/ChannelMasks.h"

namespace platform::gdi {

Channel Channel::FromMask(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    while (((mask >> c.shift) & 1u) == 0)
        ++c.shift;
    while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1u) != 0)
        ++c.bits;
    return c;
}

namespace {

bool IsContiguous(std::uint32_t mask) {
    if (mask == 0) return false;
    const Channel c = Channel::FromMask(mask);
    const std::uint64_t rebuilt = ((std::uint64_t{1} << c.bits) - 1) << c.shift;
    return rebuilt == mask;
}

}  // namespace

bool ChannelMasks::IsUsable(int bitCount) const {
    if (!IsContiguous(red) || !IsContiguous(green) || !IsContiguous(blue)) return false;
    if ((red & green) != 0 || (red & blue) != 0 || (green & blue) != 0) return false;
    if (bitCount == 16 && ((red | green | blue) & 0xFFFF0000u) != 0) return false;
    return true;
}

PixelPacker::PixelPacker(const ChannelMasks& masks)
    : red_(Channel::FromMask(masks.red)),
      green_(Channel::FromMask(masks.green)),
      blue_(Channel::FromMask(masks.blue)) {}

}  // namespace platform::gdi
