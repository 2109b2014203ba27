#include "app/win32/PngFile.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win32 {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kMaxSide = 16384;
constexpr std::uint8_t kColourRgb = 2;
constexpr std::uint8_t kColourRgba = 6;

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

void AppendBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
}

void AppendChunk(std::string& out, const char type[4], const std::string& data) {
    AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    AppendBigEndian32(out, static_cast<std::uint32_t>(
                               crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                     static_cast<uInt>(typed.size()))));
}

int Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Undoes each row's filter in place; false for an unknown filter.
bool Unfilter(std::vector<std::uint8_t>& data, int height, std::size_t rowBytes, int pixelBytes) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = data.data() + y * (rowBytes + 1);
        const std::uint8_t filter = row[0];
        std::uint8_t* pixels = row + 1;
        const std::uint8_t* above = y > 0 ? pixels - (rowBytes + 1) : nullptr;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= std::size_t(pixelBytes) ? pixels[i - pixelBytes] : 0;
            const int up = above ? above[i] : 0;
            const int upLeft = above && i >= std::size_t(pixelBytes) ? above[i - pixelBytes] : 0;
            int predicted = 0;
            switch (filter) {
                case 0: predicted = 0; break;
                case 1: predicted = left; break;
                case 2: predicted = up; break;
                case 3: predicted = (left + up) / 2; break;
                case 4: predicted = Paeth(left, up, upLeft); break;
                default: return false;
            }
            pixels[i] = static_cast<std::uint8_t>(pixels[i] + predicted);
        }
    }
    return true;
}

}  // namespace

bool DecodePng(const std::uint8_t* bytes, std::size_t size, PngImage& image,
               std::uint64_t maxPixelBytes) {
    if (size < 8 || std::memcmp(bytes, kSignature, 8) != 0) return false;
    std::size_t at = 8;
    std::string compressed;
    int width = 0, height = 0;
    std::uint8_t colour = 0;
    bool header = false;
    while (at + 12 <= size) {
        const std::uint32_t length = BigEndian32(bytes + at);
        const char* type = reinterpret_cast<const char*>(bytes + at + 4);
        if (length > size - at - 12) return false;
        const std::uint8_t* data = bytes + at + 8;
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= 13) {
            width = static_cast<int>(std::min<std::uint32_t>(BigEndian32(data), kMaxSide + 1));
            height = static_cast<int>(std::min<std::uint32_t>(BigEndian32(data + 4), kMaxSide + 1));
            colour = data[9];
            const bool eightBits = data[8] == 8;
            const bool plain = data[10] == 0 && data[11] == 0 && data[12] == 0;  // not interlaced
            if (!eightBits || !plain || (colour != kColourRgb && colour != kColourRgba) ||
                width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
                return false;
            header = true;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.append(reinterpret_cast<const char*>(data), length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        at += 12 + length;
    }
    if (!header || std::uint64_t(width) * std::uint64_t(height) * 4 > maxPixelBytes) return false;
    const int pixelBytes = colour == kColourRgba ? 4 : 3;
    const std::size_t rowBytes = std::size_t(width) * pixelBytes;
    std::vector<std::uint8_t> data((rowBytes + 1) * height);
    uLongf inflated = static_cast<uLongf>(data.size());
    if (uncompress(data.data(), &inflated, reinterpret_cast<const Bytef*>(compressed.data()),
                   static_cast<uLong>(compressed.size())) != Z_OK ||
        inflated != data.size() || !Unfilter(data, height, rowBytes, pixelBytes))
        return false;

    image.width = width;
    image.height = height;
    image.alpha = colour == kColourRgba;
    image.argb.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data.data() + y * (rowBytes + 1) + 1;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = row + x * pixelBytes;
            const std::uint32_t alpha = pixelBytes == 4 ? p[3] : 0xFF;
            image.argb[std::size_t(y) * width + x] = alpha << 24 | std::uint32_t{p[0]} << 16 |
                                                     std::uint32_t{p[1]} << 8 | p[2];
        }
    }
    return true;
}

std::string EncodePng(const std::uint8_t* pixels, int width, int height, int stride) {
    std::string rows;
    rows.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        rows += '\0';  // no filter
        const std::uint8_t* row = pixels + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = row + x * 4;  // blue, green, red, unused
            rows += static_cast<char>(p[2]);
            rows += static_cast<char>(p[1]);
            rows += static_cast<char>(p[0]);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()),
              Z_BEST_SPEED);
    packed.resize(packedSize);

    std::string header;
    AppendBigEndian32(header, static_cast<std::uint32_t>(width));
    AppendBigEndian32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive, plain
    std::string file(reinterpret_cast<const char*>(kSignature), 8);
    AppendChunk(file, "IHDR", header);
    AppendChunk(file, "IDAT", packed);
    AppendChunk(file, "IEND", std::string());
    return file;
}

}  // namespace win32
