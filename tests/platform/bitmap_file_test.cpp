// The bitmap file loader: every uncompressed depth, bit fields, row order, and files that
// lie about their sizes.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "BmpBuilder.h"
#include "platform/gdi/Blitter.h"
#include "platform/gdi/BmpFile.h"

using namespace bmptest;
using namespace platform::gdi;

namespace {

std::unique_ptr<Bitmap> Decode(const std::vector<std::uint8_t>& file) {
    return DecodeBitmapFile(file.data(), file.size());
}

// The colour of pixel x, y (from the top), through a 32-bit copy.
std::uint32_t ColourAt(const Bitmap& b, int x, int y) {
    std::unique_ptr<Bitmap> flat = Bitmap::Create(b.Width(), b.Height(), 32, true);
    StretchPixels(*flat, {0, 0, b.Width(), b.Height()}, b, {0, 0, b.Width(), b.Height()}, kSrcCopy);
    return reinterpret_cast<const std::uint32_t*>(flat->Row(y))[x] & 0xFFFFFF;
}

TEST(BitmapFile, TwentyFourBitsBottomUpKeepsTheFileRowOrder) {
    BmpSpec s;  // 2 x 2: bottom row blue, red; top row white, green
    s.pixels = {0xFF, 0,    0,    0, 0,    0xFF, 0, 0,   // file row 0 = image bottom
                0xFF, 0xFF, 0xFF, 0, 0xFF, 0,    0, 0};  // file row 1 = image top
    std::unique_ptr<Bitmap> b = Decode(BuildBmp(s));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->BitCount(), 24);
    EXPECT_FALSE(b->TopDown());
    EXPECT_EQ(b->Bits()[0], 0xFF);  // memory holds the file's rows as they were
    EXPECT_EQ(ColourAt(*b, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ColourAt(*b, 1, 0), 0x00FF00u);
    EXPECT_EQ(ColourAt(*b, 0, 1), 0x0000FFu);
    EXPECT_EQ(ColourAt(*b, 1, 1), 0xFF0000u);

    s.height = -2;  // the same bytes read top-down
    b = Decode(BuildBmp(s));
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->TopDown());
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x0000FFu);
}

TEST(BitmapFile, IndexedDepthsWithColourTables) {
    BmpSpec one;
    one.width = 10;
    one.height = 1;
    one.bitCount = 1;
    one.colorTable = {0x000000, 0xFF8000};
    one.pixels = {0xA0, 0x40, 0, 0};  // pixels 0, 2 and 9 set
    std::unique_ptr<Bitmap> b = Decode(BuildBmp(one));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0xFF8000u);
    EXPECT_EQ(ColourAt(*b, 1, 0), 0u);
    EXPECT_EQ(ColourAt(*b, 9, 0), 0xFF8000u);

    BmpSpec four;
    four.width = 3;
    four.height = 1;
    four.bitCount = 4;
    four.colorsUsed = 3;  // a short table: the rest stays black
    four.colorTable = {0x010203, 0x040506, 0x070809};
    four.pixels = {0x21, 0xF0, 0, 0};
    b = Decode(BuildBmp(four));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x070809u);
    EXPECT_EQ(ColourAt(*b, 1, 0), 0x040506u);
    EXPECT_EQ(ColourAt(*b, 2, 0), 0u);
    EXPECT_EQ(b->ColorTable()[15].rgbRed, 0);

    BmpSpec core = four;  // the old header: 3-byte colours, all 16 of them
    core.coreHeader = true;
    core.colorTable.assign(16, 0x0A0B0C);
    b = Decode(BuildBmp(core));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x0A0B0Cu);

    BmpSpec eight;
    eight.width = 1;
    eight.height = 1;
    eight.bitCount = 8;
    eight.colorsUsed = 1000;  // more than the depth allows: only 256 read
    eight.colorTable.assign(256, 0x112233);
    eight.pixels = {255, 0, 0, 0};
    b = Decode(BuildBmp(eight));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x112233u);
}

TEST(BitmapFile, SixteenAndThirtyTwoBitsWithAndWithoutBitFields) {
    BmpSpec plain16;
    plain16.width = 1;
    plain16.height = 1;
    plain16.bitCount = 16;
    plain16.pixels = {0x00, 0x7C, 0, 0};  // 5-5-5 red
    std::unique_ptr<Bitmap> b = Decode(BuildBmp(plain16));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0xFF0000u);

    BmpSpec fields16 = plain16;
    fields16.compression = kBiBitfields;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    fields16.pixels = {0xE0, 0x07, 0, 0};  // 5-6-5 green
    b = Decode(BuildBmp(fields16));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->BitCount(), 16);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x00FF00u);

    BmpSpec fields32;
    fields32.width = 1;
    fields32.height = 1;
    fields32.bitCount = 32;
    fields32.compression = kBiBitfields;
    fields32.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the lowest byte
    fields32.pixels = {0x12, 0x34, 0x56, 0x00};
    b = Decode(BuildBmp(fields32));
    ASSERT_TRUE(b);
    EXPECT_EQ(ColourAt(*b, 0, 0), 0x123456u);
}

TEST(BitmapFile, HostileAndBrokenFilesFail) {
    BmpSpec good;
    good.pixels.assign(16, 0);
    const std::vector<std::uint8_t> valid = BuildBmp(good);
    ASSERT_TRUE(Decode(valid));

    // Every truncation of a valid file fails cleanly.
    for (std::size_t n = 0; n < valid.size(); ++n)
        EXPECT_FALSE(DecodeBitmapFile(valid.data(), n)) << n;

    auto variant = [&](auto change) {
        BmpSpec s = good;
        change(s);
        return Decode(BuildBmp(s));
    };
    // Sizes that claim far more pixels than the file carries: refused before allocating.
    EXPECT_FALSE(variant([](BmpSpec& s) { s.width = 0x7FFFFFFF; }));
    EXPECT_FALSE(variant([](BmpSpec& s) {
        s.width = 60000;
        s.height = -60000;
    }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.height = INT32_MIN; }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.width = 0; }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.width = -2; }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.height = 0; }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.bitCount = 2; }));
    EXPECT_FALSE(variant([](BmpSpec& s) { s.compression = 1; }));  // run-length
    EXPECT_FALSE(variant([](BmpSpec& s) { s.compression = 4; }));  // JPEG inside
    EXPECT_FALSE(variant([](BmpSpec& s) {                          // bit fields on 24 bits
        s.compression = kBiBitfields;
        s.masks = {0xFF0000, 0xFF00, 0xFF};
    }));
    EXPECT_FALSE(variant([](BmpSpec& s) {  // overlapping masks
        s.bitCount = 16;
        s.compression = kBiBitfields;
        s.masks = {0xFC00, 0x07E0, 0x001F};
    }));
    EXPECT_FALSE(variant([](BmpSpec& s) {  // a colour table that runs off the end
        s.bitCount = 8;
        s.colorsUsed = 200;
        s.pixels.clear();
    }));

    std::vector<std::uint8_t> file = valid;
    file[0] = 'X';  // not "BM"
    EXPECT_FALSE(Decode(file));
    file = valid;
    file[10] = 0xF0;  // pixel offset beyond the end
    EXPECT_FALSE(Decode(file));
    file = valid;
    file[14] = 200;  // header size larger than any known header
    EXPECT_FALSE(Decode(file));
    file = valid;
    file[26] = 2;  // two planes
    EXPECT_FALSE(Decode(file));
}

TEST(BitmapFile, LoadsFromDiskAndRefusesMissingFiles) {
    BmpSpec s;
    s.pixels.assign(16, 0x7F);
    const std::vector<std::uint8_t> bytes = BuildBmp(s);
    const std::string path = ::testing::TempDir() + "loader_test.bmp";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    Bitmap* loaded = LoadBitmapFile(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Bits()[0], 0x7F);
    delete loaded;
    std::remove(path.c_str());
    EXPECT_EQ(LoadBitmapFile(path), nullptr);
}

}  // namespace
