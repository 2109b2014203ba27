// The PNG writer: files that a reader walking the chunks, inflating with zlib and undoing
// each row's filter takes apart back into the same pixels, with a palette or without.

#include "tools/corpogif/PngWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 |
           bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

struct Picture {
    int depth = 0, colourType = 0;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> rgb;
};

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Reads an 8-bit RGB or a 1- to 8-bit palette PNG, checking the chunks' CRCs.
Picture Read(const std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height) {
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
    Picture picture;
    std::vector<std::uint8_t> compressed;
    std::string types;
    for (size_t at = 8; at < png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        const std::vector<std::uint8_t> data(png.begin() + at + 8, png.begin() + at + 8 + length);
        EXPECT_EQ(BigEndian(png, at + 8 + length), crc32(0, png.data() + at + 4, length + 4));
        types += type + " ";
        if (type == "IHDR") {
            EXPECT_EQ(BigEndian(data, 0), width);
            EXPECT_EQ(BigEndian(data, 4), height);
            picture.depth = data.at(8);
            picture.colourType = data.at(9);
        } else if (type == "PLTE") {
            picture.palette = data;
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data.begin(), data.end());
        }
        at += 12 + length;
    }
    EXPECT_EQ(types, picture.colourType == 3 ? "IHDR PLTE IDAT IEND " : "IHDR IDAT IEND ");
    const int bits = picture.colourType == 2 ? 24 : picture.depth;
    const size_t step = picture.colourType == 2 ? 3 : 1;
    const size_t rowBytes = (width * bits + 7) / 8;
    std::vector<std::uint8_t> raw((rowBytes + 1) * height);
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(raw.data(), &size, compressed.data(), compressed.size()), Z_OK);
    EXPECT_EQ(size, raw.size());

    std::vector<std::uint8_t> previous(rowBytes, 0), row(rowBytes);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* in = raw.data() + y * (rowBytes + 1);
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= step ? row[i - step] : 0, b = previous[i],
                      c = i >= step ? previous[i - step] : 0;
            const int predictor[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
            row[i] = static_cast<std::uint8_t>(in[1 + i] + predictor[in[0] % 5]);
            EXPECT_LT(in[0], 5) << "filter type of row " << y;
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            if (picture.colourType == 2) {
                picture.rgb.insert(picture.rgb.end(), row.begin() + 3 * x, row.begin() + 3 * x + 3);
                continue;
            }
            const int perByte = 8 / picture.depth;
            const int index = row[x / perByte] >> (8 - picture.depth * (x % perByte + 1)) &
                              ((1 << picture.depth) - 1);
            picture.rgb.insert(picture.rgb.end(), picture.palette.begin() + 3 * index,
                               picture.palette.begin() + 3 * index + 3);
        }
        previous = row;
    }
    return picture;
}

TEST(PngWriterTest, PixelsComeBackWithAsManyBitsAsTheirColoursNeed) {
    // An odd width, so that packed rows end inside a byte. Colours 2, 3, 16, 17, 256: the
    // largest counts that fit 1, 2, 4 and 8 bits, and one past 4 bits.
    const int width = 37, height = 23;
    for (const int colours : {2, 3, 16, 17, 256}) {
        std::vector<std::uint8_t> rgb;
        for (int i = 0; i < width * height; ++i) {
            const int colour = (i * 7 + i / width) % colours;
            rgb.insert(rgb.end(), {std::uint8_t(colour), std::uint8_t(colour * 3),
                                   std::uint8_t(255 - colour)});
        }
        const Picture picture = Read(corpogif::EncodeRgb(width, height, rgb), width, height);
        EXPECT_EQ(picture.colourType, 3) << colours << " colours";
        EXPECT_EQ(picture.depth, colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8);
        EXPECT_EQ(picture.rgb, rgb) << colours << " colours";
    }
}

TEST(PngWriterTest, ManyColouredPixelsComeBackThroughEveryRowFilter) {
    // Gradients, edges and noise, so that each row picks a different filter; over 256 colours.
    const int width = 200, height = 120;
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = y / 24;
            const std::uint8_t value = band == 0   ? std::uint8_t(x)
                                       : band == 1 ? std::uint8_t(y * 2)
                                       : band == 2 ? std::uint8_t(x + y)
                                       : band == 3 ? std::uint8_t((x * 31 + y * 17) ^ (x * y))
                                                   : std::uint8_t(x < width / 2 ? 0 : 255);
            rgb.insert(rgb.end(), {value, std::uint8_t(value + x), std::uint8_t(y * x)});
        }
    }
    const Picture picture = Read(corpogif::EncodeRgb(width, height, rgb), width, height);
    EXPECT_EQ(picture.colourType, 2);
    EXPECT_EQ(picture.depth, 8);
    EXPECT_EQ(picture.rgb, rgb);
}

TEST(PngWriterTest, RefusesSizesThatDoNotMatchTheData) {
    EXPECT_THROW(corpogif::EncodeRgb(0, 1, {}), std::invalid_argument);
    EXPECT_THROW(corpogif::EncodeRgb(2, 2, std::vector<std::uint8_t>(11)), std::invalid_argument);
    EXPECT_THROW(corpogif::EncodeRgb(2, 2, std::vector<std::uint8_t>(13)), std::invalid_argument);
    EXPECT_NO_THROW(corpogif::EncodeRgb(2, 2, std::vector<std::uint8_t>(12)));
}

}  // namespace
