#pragma once
// A minimal PNG writer for 8-bit RGB pictures. The image data is kept in stored
// (uncompressed) deflate blocks: files are larger than a compressor would make them, but
// every PNG reader takes them and no compression library is needed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// CRC-32 (the IEEE polynomial, as PNG chunks and zlib use it), continued from `crc`.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
// Adler-32 (the zlib stream checksum), continued from `adler`.
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// The bytes of a PNG file of `width` x `height` pixels; `rgb` holds width * height * 3
// bytes, red, green, blue, rows top-down. Throws std::invalid_argument when the sizes do
// not match the data or are not positive.
std::vector<uint8_t> EncodeRgb(int32_t width, int32_t height, const std::vector<uint8_t>& rgb);

// Writes EncodeRgb's bytes to `path`; false when the file cannot be written.
bool WriteRgb(const std::string& path, int32_t width, int32_t height,
              const std::vector<uint8_t>& rgb);

}  // namespace png
