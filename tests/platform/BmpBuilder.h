#pragma once
// Builds bitmap files in memory for the loader tests: a file header, a 40-byte (or
// 12-byte) information header, optional masks and colour table, then the pixel rows.

#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

struct BmpSpec {
    std::int32_t width = 2;
    std::int32_t height = 2;  // negative: top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;       // written after the header when present
    std::vector<std::uint32_t> colorTable;  // 0x00RRGGBB, written as blue, green, red, 0
    std::vector<std::uint8_t> pixels;       // rows as they lie in the file, padded
    bool coreHeader = false;
};

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s) {
    std::vector<std::uint8_t> info;
    if (s.coreHeader) {
        Put32(info, 12);
        Put16(info, static_cast<std::uint32_t>(s.width));
        Put16(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, static_cast<std::uint32_t>(s.bitCount));
    } else {
        Put32(info, 40);
        Put32(info, static_cast<std::uint32_t>(s.width));
        Put32(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, static_cast<std::uint32_t>(s.bitCount));
        Put32(info, s.compression);
        Put32(info, static_cast<std::uint32_t>(s.pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, s.colorsUsed);
        Put32(info, 0);
    }
    for (std::uint32_t m : s.masks)
        Put32(info, m);
    for (std::uint32_t c : s.colorTable) {
        info.push_back(static_cast<std::uint8_t>(c));
        info.push_back(static_cast<std::uint8_t>(c >> 8));
        info.push_back(static_cast<std::uint8_t>(c >> 16));
        if (!s.coreHeader) info.push_back(0);
    }
    std::vector<std::uint8_t> file = {'B', 'M'};
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
    Put32(file, offset + static_cast<std::uint32_t>(s.pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

}  // namespace bmptest
