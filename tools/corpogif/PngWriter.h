#pragma once
// A PNG writer for 8-bit RGB pictures, compressed with zlib. A picture of at most 256
// colours is written with a palette, at 1, 2, 4 or 8 bits a pixel as few as its colours
// need; a picture of more colours as RGB, each row with the filter that common encoders
// would choose for it (the smallest sum of the filtered bytes read as signed).

#include <cstdint>
#include <string>
#include <vector>

namespace corpogif {

// The bytes of a PNG file of `width` x `height` pixels; `rgb` holds width * height * 3
// bytes, red, green, blue, rows top-down. Throws std::invalid_argument when the sizes do
// not match the data or are not positive.
std::vector<std::uint8_t> EncodeRgb(std::int32_t width, std::int32_t height,
                                    const std::vector<std::uint8_t>& rgb);

// Writes EncodeRgb's bytes to `path` (UTF-8); false when the file cannot be written.
bool WriteRgb(const std::string& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& rgb);

}  // namespace corpogif
