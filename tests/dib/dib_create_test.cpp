// Dib creation: sizes, layout, colour tables, the memory limit and overflow.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "dib/Dib.h"

namespace {

void ExpectEmpty(const dib::Dib& d) {
    EXPECT_EQ(d.hDC(), nullptr);
    EXPECT_EQ(d.hDIB(), nullptr);
    EXPECT_EQ(d.lpBits(), nullptr);
    EXPECT_EQ(d.Width(), 0);
    EXPECT_EQ(d.Height(), 0);
    EXPECT_EQ(d.bpp(), 0);
    EXPECT_EQ(d.BytesPerScanline(), 0);
    EXPECT_EQ(d.size(), 0);
}

TEST(DibCreate, SizesStridesAndHeader) {
    dib::Dib d;
    ExpectEmpty(d);
    ASSERT_TRUE(d.Create(10, 5, 8));
    EXPECT_EQ(d.BytesPerScanline(), 12);
    EXPECT_EQ(d.size(), 60);
    EXPECT_NE(d.hDC(), nullptr);
    EXPECT_NE(d.lpBits(), nullptr);
    EXPECT_TRUE(d.hDIB()->TopDown());
    EXPECT_EQ(d.InfoHeader().biSize, 40u);
    EXPECT_EQ(d.InfoHeader().biHeight, -5);
    EXPECT_EQ(d.InfoHeader().biBitCount, 8);
    EXPECT_EQ(d.InfoHeader().biCompression, 0u);
    std::vector<std::uint8_t> palette;
    d.GetPalette(palette);
    EXPECT_EQ(palette, std::vector<std::uint8_t>(1024, 0));
    for (int i = 0; i < d.size(); ++i)
        ASSERT_EQ(d.lpBits()[i], 0);

    struct Case {
        int w, h, bpp, stride, size;
    };
    for (const Case c : {Case{10, 5, 1, 4, 20}, Case{3, 2, 24, 12, 24}, Case{7, 1, 32, 28, 28},
                         Case{5, 3, 4, 4, 12}, Case{3, 2, 16, 8, 16}}) {
        ASSERT_TRUE(d.Create(c.w, c.h, c.bpp));
        EXPECT_EQ(d.BytesPerScanline(), c.stride) << c.w << "x" << c.bpp;
        EXPECT_EQ(d.size(), c.size) << c.w << "x" << c.bpp;
        EXPECT_EQ(d.bpp(), c.bpp);
    }
}

TEST(DibCreate, UnsupportedDepthsAndEmptySizesLeaveNothing) {
    dib::Dib d;
    for (int depth : {2, 7, 0, 64}) {
        ASSERT_TRUE(d.Create(4, 4, 8));
        EXPECT_FALSE(d.Create(4, 4, depth)) << depth;
        ExpectEmpty(d);
        EXPECT_EQ(d.InfoHeader().biBitCount, depth);  // the header keeps what was asked
    }
    EXPECT_FALSE(d.Create(0, 4, 8));
    ExpectEmpty(d);
    // A negative height would negate into a bottom-up bitmap whose size comes out
    // negative; it is refused.
    EXPECT_FALSE(d.Create(4, -4, 8));
    ExpectEmpty(d);
}

TEST(DibCreate, PixelMemoryLimitRefusesHostileSizes) {
    dib::Dib d;
    // 65535 x 65535 at 8 bits is 4 GiB: an overflow of the 32-bit size.
    EXPECT_THROW(d.Create(65535, 65535, 8), std::overflow_error);
    EXPECT_EQ(d.hDIB(), nullptr);
    // Just above the limit: refused like a failed allocation.
    const std::int32_t rows = static_cast<std::int32_t>(dib::Dib::kMaxPixelBytes / 4096) + 1;
    EXPECT_FALSE(d.Create(1024, rows, 32));
    ExpectEmpty(d);
    // A large but allowed bitmap is made.
    EXPECT_TRUE(d.Create(4096, 4096, 8));
    EXPECT_EQ(d.size(), 4096 * 4096);
}

TEST(DibCreate, OverflowOfTheRowStrideOrImageSizeRaises) {
    dib::Dib d;
    EXPECT_THROW(d.Create(67108864, 1, 32), std::overflow_error);  // 2^31 bits a row
    // 2147483616 bits is the largest row; two of them pass the size check and then
    // exceed the memory limit.
    EXPECT_NO_THROW(EXPECT_FALSE(d.Create(67108863, 2, 32)));
    EXPECT_THROW(d.Create(1 << 20, 1 << 10, 32), std::overflow_error);  // 4 GiB image
}

TEST(DibCreate, DestroyClearsAndRecreates) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(3, 3, 32));
    d.Destroy();
    ExpectEmpty(d);
    d.Destroy();  // twice is harmless
    ASSERT_TRUE(d.Create(2, 2, 1));
    EXPECT_EQ(d.BytesPerScanline(), 4);
}

TEST(DibPalette, SetAndGetOnIndexedBitmapsOnly) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(8, 1, 1));
    d.SetPalette({0, 0, 0, 0, 255, 255, 255, 0});
    std::vector<std::uint8_t> p;
    d.GetPalette(p);
    EXPECT_EQ(p, (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 0}));

    d.SetPalette({9, 8, 7, 6, 5, 4});  // 6 bytes: one entry
    d.GetPalette(p);
    EXPECT_EQ(p, (std::vector<std::uint8_t>{9, 8, 7, 6, 255, 255, 255, 0}));

    std::vector<std::uint8_t> big(2048, 0x11);  // entries past the table are ignored
    d.SetPalette(big);
    d.GetPalette(p);
    EXPECT_EQ(p.size(), 8u);

    ASSERT_TRUE(d.Create(2, 2, 4));
    d.GetPalette(p);
    EXPECT_EQ(p.size(), 64u);

    ASSERT_TRUE(d.Create(2, 2, 24));
    std::vector<std::uint8_t> untouched = {1, 2, 3};
    d.SetPalette({1, 2, 3, 4});
    d.GetPalette(untouched);
    EXPECT_EQ(untouched, (std::vector<std::uint8_t>{1, 2, 3}));

    dib::Dib empty;
    empty.GetPalette(untouched);
    EXPECT_EQ(untouched.size(), 3u);
}

}  // namespace
