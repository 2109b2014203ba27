#include "tools/corpogif/FrameDigests.h"

#include <cstdint>
#include <vector>

#include "dib/Dib.h"
#include "tools/corpogif/Md5.h"

namespace corpogif {

std::string IndicesMd5(const dib::Dib& colour) {
    if (colour.hDIB() == nullptr || colour.bpp() != 8) return {};
    Md5 digest;
    for (std::int32_t y = 0; y < colour.Height(); ++y)
        digest.Update(colour.lpBits() + static_cast<size_t>(y) * colour.BytesPerScanline(),
                      static_cast<size_t>(colour.Width()));
    return digest.HexDigest();
}

std::string MaskMd5(const dib::Dib& mask) {
    if (mask.hDIB() == nullptr || mask.bpp() != 1) return {};
    Md5 digest;
    std::vector<std::uint8_t> row(static_cast<size_t>(mask.Width()));
    for (std::int32_t y = 0; y < mask.Height(); ++y) {
        const std::uint8_t* bits = mask.lpBits() + static_cast<size_t>(y) * mask.BytesPerScanline();
        for (std::int32_t x = 0; x < mask.Width(); ++x)
            row[x] = (bits[x >> 3] >> (7 - (x & 7))) & 1;  // leftmost pixel in the top bit
        digest.Update(row.data(), row.size());
    }
    return digest.HexDigest();
}

}  // namespace corpogif
