// The PNG writer: its checksums, and files that a reader walking the chunks takes apart
// back into the same pixels.

#include "tools/corpogif/PngWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 |
           bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
};

// Splits a PNG into its chunks, checking the signature and every chunk's CRC.
std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& png) {
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
    std::vector<Chunk> chunks;
    size_t at = 8;
    while (at < png.size()) {
        const uint32_t length = BigEndian(png, at);
        Chunk chunk;
        chunk.type.assign(png.begin() + at + 4, png.begin() + at + 8);
        chunk.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
        EXPECT_EQ(BigEndian(png, at + 8 + length), png::Crc32(png.data() + at + 4, length + 4))
            << chunk.type;
        chunks.push_back(chunk);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// Undoes a zlib stream made of stored blocks, checking the block lengths and the Adler-32.
std::vector<uint8_t> InflateStored(const std::vector<uint8_t>& zlib) {
    EXPECT_EQ((zlib.at(0) << 8 | zlib.at(1)) % 31, 0) << "zlib header check bits";
    std::vector<uint8_t> out;
    size_t at = 2;
    bool last = false;
    while (!last) {
        last = zlib.at(at) & 1;
        EXPECT_EQ(zlib.at(at) >> 1, 0) << "stored block";
        const uint16_t length = static_cast<uint16_t>(zlib.at(at + 1) | zlib.at(at + 2) << 8);
        const uint16_t inverted = static_cast<uint16_t>(zlib.at(at + 3) | zlib.at(at + 4) << 8);
        EXPECT_EQ(static_cast<uint16_t>(~length), inverted);
        out.insert(out.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + length);
        at += 5 + length;
    }
    EXPECT_EQ(BigEndian(zlib, at), png::Adler32(out.data(), out.size()));
    EXPECT_EQ(at + 4, zlib.size());
    return out;
}

TEST(PngWriterTest, ChecksumsMatchTheirPublishedCheckValues) {
    const std::string digits = "123456789";
    const auto* bytes = reinterpret_cast<const uint8_t*>(digits.data());
    EXPECT_EQ(png::Crc32(bytes, digits.size()), 0xCBF43926u);
    EXPECT_EQ(png::Adler32(bytes, digits.size()), 0x091E01DEu);
    // Continuing a checksum over a second piece gives the checksum of the whole.
    EXPECT_EQ(png::Crc32(bytes + 4, 5, png::Crc32(bytes, 4)), 0xCBF43926u);
    EXPECT_EQ(png::Adler32(bytes + 4, 5, png::Adler32(bytes, 4)), 0x091E01DEu);
}

TEST(PngWriterTest, PixelsComeBackRowByRowAfterTheirFilterByte) {
    // Wide enough that the data spans several stored blocks of at most 65535 bytes.
    const int width = 200, height = 120;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 7 + i / 600);

    const std::vector<Chunk> chunks = ReadChunks(png::EncodeRgb(width, height, rgb));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(BigEndian(chunks[0].data, 0), 200u);
    EXPECT_EQ(BigEndian(chunks[0].data, 4), 120u);
    EXPECT_EQ(chunks[0].data.at(8), 8) << "bit depth";
    EXPECT_EQ(chunks[0].data.at(9), 2) << "colour type RGB";
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());

    const std::vector<uint8_t> raw = InflateStored(chunks[1].data);
    ASSERT_EQ(raw.size(), static_cast<size_t>(width * 3 + 1) * height);
    for (int y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * (width * 3 + 1);
        ASSERT_EQ(raw[row], 0) << "filter type of row " << y;
        ASSERT_TRUE(std::equal(raw.begin() + row + 1, raw.begin() + row + 1 + width * 3,
                               rgb.begin() + static_cast<size_t>(y) * width * 3))
            << "row " << y;
    }
}

TEST(PngWriterTest, RefusesSizesThatDoNotMatchTheData) {
    EXPECT_THROW(png::EncodeRgb(0, 1, {}), std::invalid_argument);
    EXPECT_THROW(png::EncodeRgb(2, 2, std::vector<uint8_t>(11)), std::invalid_argument);
    EXPECT_THROW(png::EncodeRgb(2, 2, std::vector<uint8_t>(13)), std::invalid_argument);
    EXPECT_NO_THROW(png::EncodeRgb(2, 2, std::vector<uint8_t>(12)));
}

}  // namespace
