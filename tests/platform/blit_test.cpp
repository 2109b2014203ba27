// Blits and stretches between the pixel layouts: conversions, raster operations,
// clipping and the choice of source pixels.

#include <gtest/gtest.h>

#include <vector>

#include "GdiTestSupport.h"

using namespace gditest;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;

TEST(DibSectionLayout, StrideRowOrderAndInitialContent) {
    TestDib top(10, 3, 8, true);
    EXPECT_EQ(top.bitmap().Stride(), 12);
    EXPECT_EQ(top.bitmap().Row(2), top.bits() + 24);  // top-down: row 0 first
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(top.bitmap().ColorTable()[i].rgbRed, 0);
    for (std::size_t i = 0; i < top.bitmap().ByteSize(); ++i)
        ASSERT_EQ(top.bits()[i], 0);

    TestDib bottom(3, 4, 24, false);
    EXPECT_EQ(bottom.bitmap().Stride(), 12);
    EXPECT_EQ(bottom.bitmap().Row(0), bottom.bits() + 36);  // the top row is last in memory

    EXPECT_EQ(TestDib(10, 1, 1).bitmap().Stride(), 4);
    EXPECT_EQ(TestDib(9, 1, 4).bitmap().Stride(), 8);
    EXPECT_EQ(TestDib(3, 1, 16).bitmap().Stride(), 8);
    EXPECT_EQ(TestDib(7, 1, 32).bitmap().Stride(), 28);
}

TEST(DibSectionLayout, RefusesWhatItCannotDescribe) {
    BITMAPINFOHEADER h;
    h.biSize = 40;
    h.biPlanes = 1;
    std::uint8_t* bits = reinterpret_cast<std::uint8_t*>(1);
    for (int depth : {0, 2, 7, 12, 33}) {
        h.biWidth = 4;
        h.biHeight = 4;
        h.biBitCount = static_cast<std::uint16_t>(depth);
        EXPECT_EQ(CreateDIBSection(nullptr, h, nullptr, &bits), nullptr) << depth;
        EXPECT_EQ(bits, nullptr);
    }
    h.biBitCount = 8;
    h.biWidth = 0;
    EXPECT_EQ(CreateDIBSection(nullptr, h, nullptr, nullptr), nullptr);
    h.biWidth = 4;
    h.biHeight = 0;
    EXPECT_EQ(CreateDIBSection(nullptr, h, nullptr, nullptr), nullptr);
    h.biWidth = 0x7FFFFFFF;  // the row stride would not fit in 32 bits
    h.biHeight = 1;
    h.biBitCount = 32;
    EXPECT_EQ(CreateDIBSection(nullptr, h, nullptr, nullptr), nullptr);
}

TEST(BlitConversion, ColourIntoIndexedTakesNearestEntryLowestOnTies) {
    TestDib src(4, 1, 32);
    src.Set(0, 0, 0x102030);  // nearest to entry 1
    src.Set(1, 0, 0xF0F0F0);  // nearest to entry 2
    src.Set(2, 0, 0x808080);  // equally far from entries 3 and 4: the lower wins
    src.Set(3, 0, 0x000000);  // exact match with entry 0 (and 5): 0
    TestDib dst(4, 1, 8);
    dst.SetColors({0x000000, 0x102838, 0xFFFFFF, 0x707070, 0x909090, 0x000000});
    ASSERT_NE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(dst.Get(0, 0), 1u);
    EXPECT_EQ(dst.Get(1, 0), 2u);
    EXPECT_EQ(dst.Get(2, 0), 3u);
    EXPECT_EQ(dst.Get(3, 0), 0u);
}

TEST(BlitConversion, IndexedColourTableTurnsIntoMaskBits) {
    // A colour bitmap whose table shows white only at the transparent index, copied into
    // a black-and-white 1-bit bitmap, gives 1 exactly where that index is.
    TestDib colour(11, 2, 8);
    std::vector<std::uint8_t> indices = {3, 7, 7, 0, 255, 7, 1, 2, 7, 7, 9};
    for (int x = 0; x < 11; ++x) {
        colour.Set(x, 0, indices[x]);
        colour.Set(x, 1, indices[10 - x]);
    }
    RGBQUAD white{255, 255, 255, 0};
    SetDIBColorTable(colour.dc(), 7, 1, &white);
    TestDib mask(11, 2, 1);
    mask.SetColors({0x000000, kWhite});
    ASSERT_NE(BitBlt(mask.dc(), 0, 0, 11, 2, colour.dc(), 0, 0, kSrcCopy), 0);
    for (int x = 0; x < 11; ++x) {
        EXPECT_EQ(mask.Get(x, 0), indices[x] == 7 ? 1u : 0u) << x;
        EXPECT_EQ(mask.Get(x, 1), indices[10 - x] == 7 ? 1u : 0u) << x;
    }
    // The bits are packed from the most significant end: pixels 1, 2 and 5 of row 0.
    EXPECT_EQ(mask.bits()[0], 0x64);
}

TEST(BlitConversion, SixteenBitFiveFiveFive) {
    TestDib src(3, 1, 32);
    src.Set(0, 0, 0xFF8008);  // red 255, green 128, blue 8
    src.Set(1, 0, kWhite);
    src.Set(2, 0, 0x070707);  // below one step of 5 bits: black
    TestDib words(3, 1, 16);
    ASSERT_NE(BitBlt(words.dc(), 0, 0, 3, 1, src.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(words.Get(0, 0), (31u << 10) | (16u << 5) | 1u);
    EXPECT_EQ(words.Get(1, 0), 0x7FFFu);
    EXPECT_EQ(words.Get(2, 0), 0u);

    words.Set(2, 0, 0x8000 | (16u << 10));  // bit 15 is not part of the colour
    TestDib back(3, 1, 32);
    ASSERT_NE(BitBlt(back.dc(), 0, 0, 3, 1, words.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(back.Get(0, 0), 0xFF8408u);  // 16 -> 132, 1 -> 8
    EXPECT_EQ(back.Get(1, 0), kWhite);     // full scale stays full scale
    EXPECT_EQ(back.Get(2, 0), 0x840000u);
}

TEST(BlitConversion, TwentyFourAndThirtyTwoBitsAndFourBitNibbles) {
    TestDib src(3, 1, 24);
    src.Set(0, 0, 0x123456);
    src.Set(1, 0, kRed);
    src.Set(2, 0, 0x00FF00);
    TestDib wide(3, 1, 32);
    wide.FillWith(0xAB000000);
    ASSERT_NE(BitBlt(wide.dc(), 0, 0, 3, 1, src.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(wide.Get(0, 0), 0x123456u);  // the unused byte is written as 0

    TestDib nibbles(3, 1, 4);
    nibbles.SetColors({0, 0x00FF00, kRed, 0x123456});
    ASSERT_NE(BitBlt(nibbles.dc(), 0, 0, 3, 1, wide.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(nibbles.bits()[0], 0x32);  // leftmost pixel in the high nibble
    EXPECT_EQ(nibbles.bits()[1], 0x10);

    TestDib narrow(3, 1, 24);
    ASSERT_NE(BitBlt(narrow.dc(), 0, 0, 3, 1, nibbles.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(narrow.Get(0, 0), 0x123456u);
    EXPECT_EQ(narrow.Get(1, 0), kRed);
    EXPECT_EQ(narrow.Get(2, 0), 0x00FF00u);
}

TEST(BlitConversion, CustomChannelMasksFiveSixFive) {
    BITMAPINFOHEADER h;
    h.biSize = 40;
    h.biWidth = 2;
    h.biHeight = -1;
    h.biPlanes = 1;
    h.biBitCount = 16;
    h.biCompression = kBiBitfields;
    const std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
    HBITMAP b565 = CreateDIBSection(nullptr, h, reinterpret_cast<const RGBQUAD*>(masks), nullptr);
    ASSERT_NE(b565, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP old = SelectObject(dc, b565);
    TestDib src(2, 1, 32);
    src.Set(0, 0, 0x00FF00);
    src.Set(1, 0, 0xFF0004);
    ASSERT_NE(BitBlt(dc, 0, 0, 2, 1, src.dc(), 0, 0, kSrcCopy), 0);
    const auto* words = reinterpret_cast<const std::uint16_t*>(b565->Bits());
    EXPECT_EQ(words[0], 0x07E0);
    EXPECT_EQ(words[1], 0xF800);
    TestDib back(2, 1, 24);
    ASSERT_NE(BitBlt(back.dc(), 0, 0, 2, 1, dc, 0, 0, kSrcCopy), 0);
    EXPECT_EQ(back.Get(0, 0), 0x00FF00u);
    EXPECT_EQ(back.Get(1, 0), 0xFF0000u);
    SelectObject(dc, old);
    DeleteObject(b565);
    DeleteDC(dc);
}

TEST(BlitRasterOps, MaskAndThenColourOrComposesTransparency) {
    TestDib canvas(4, 1, 32);
    canvas.FillWith(0x336699);
    TestDib mask(4, 1, 1);
    mask.SetColors({0x000000, kWhite});
    mask.Set(1, 0, 1);  // pixel 1 transparent
    TestDib colour(4, 1, 8);
    colour.SetColors({0x000000, kRed, 0x00FF00});
    colour.Set(0, 0, 1);
    colour.Set(1, 0, 0);  // transparent pixel, its colour made black
    colour.Set(2, 0, 0);  // opaque black
    colour.Set(3, 0, 2);
    ASSERT_NE(BitBlt(canvas.dc(), 0, 0, 4, 1, mask.dc(), 0, 0, kSrcAnd), 0);
    ASSERT_NE(BitBlt(canvas.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, kSrcPaint), 0);
    EXPECT_EQ(canvas.Get(0, 0), kRed);
    EXPECT_EQ(canvas.Get(1, 0), 0x336699u);
    EXPECT_EQ(canvas.Get(2, 0), 0u);
    EXPECT_EQ(canvas.Get(3, 0), 0x00FF00u);
}

TEST(BlitRasterOps, OperateOnStoredValuesOfEveryLayout) {
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        TestDib dst(9, 1, depth);
        TestDib src(9, 1, depth);
        if (depth <= 8) {
            // Identical tables, so the indices pass through unchanged.
            dst.SetColors({0x000000, kWhite, kRed, 0x00FF00});
            src.SetColors({0x000000, kWhite, kRed, 0x00FF00});
        }
        const std::uint32_t a = depth == 1 ? 1 : depth <= 8 ? 3 : depth == 16 ? 0x7C1F : 0xFF00FF;
        const std::uint32_t b = depth == 1 ? 0 : depth <= 8 ? 1 : depth == 16 ? 0x03FF : 0x00FFFF;
        dst.FillWith(a);
        src.FillWith(b);
        ASSERT_NE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, kSrcAnd), 0);
        ASSERT_NE(BitBlt(dst.dc(), 4, 0, 4, 1, src.dc(), 0, 0, kSrcPaint), 0);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dst.Get(x, 0), a & b) << depth << " at " << x;
        for (int x = 4; x < 8; ++x)
            EXPECT_EQ(dst.Get(x, 0), a | b) << depth << " at " << x;
        EXPECT_EQ(dst.Get(8, 0), a) << depth;  // outside the rectangle
    }
}

TEST(BlitRasterOps, UnknownOperationsAndMissingBitmapsFail) {
    TestDib a(2, 2, 32);
    TestDib b(2, 2, 32);
    EXPECT_EQ(BitBlt(a.dc(), 0, 0, 2, 2, b.dc(), 0, 0, 0x00660046), 0);  // source XOR
    EXPECT_EQ(BitBlt(nullptr, 0, 0, 2, 2, b.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(BitBlt(a.dc(), 0, 0, 2, 2, nullptr, 0, 0, kSrcCopy), 0);
    EXPECT_EQ(BitBlt(a.dc(), 0, 0, 2, 2, GetDC(nullptr), 0, 0, kSrcCopy), 0);
    EXPECT_NE(BitBlt(a.dc(), 0, 0, 0, 2, b.dc(), 0, 0, kSrcCopy), 0);  // nothing to do is fine
}

TEST(BlitClipping, DestinationAndSourceEdges) {
    TestDib src(4, 4, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.Set(x, y, static_cast<std::uint32_t>(0x10 * y + x + 1));

    TestDib dst(4, 4, 32);
    // Negative destination position: only the part inside the bitmap is drawn.
    ASSERT_NE(BitBlt(dst.dc(), -2, -1, 4, 4, src.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_EQ(dst.Get(0, 0), 0x13u);  // source (2, 1)
    EXPECT_EQ(dst.Get(1, 2), 0x34u);  // source (3, 3)
    EXPECT_EQ(dst.Get(2, 0), 0u);
    EXPECT_EQ(dst.Get(0, 3), 0u);

    // A source rectangle running past the source's edges draws only what exists.
    TestDib dst2(4, 4, 32);
    dst2.FillWith(0xEE);
    ASSERT_NE(BitBlt(dst2.dc(), 0, 0, 4, 4, src.dc(), 2, -1, kSrcCopy), 0);
    EXPECT_EQ(dst2.Get(0, 0), 0xEEu);  // source row -1 does not exist
    EXPECT_EQ(dst2.Get(0, 1), 0x03u);
    EXPECT_EQ(dst2.Get(1, 3), 0x24u);
    EXPECT_EQ(dst2.Get(2, 1), 0xEEu);  // source column 4 does not exist

    // Zero sizes draw nothing.
    TestDib dst3(4, 4, 32);
    EXPECT_NE(BitBlt(dst3.dc(), 0, 0, 0, 4, src.dc(), 0, 0, kSrcCopy), 0);
    EXPECT_NE(StretchBlt(dst3.dc(), 0, 0, 4, 0, src.dc(), 0, 0, 4, 4, kSrcCopy), 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dst3.Get(x, y), 0u);

    // Far-away or huge requests are clipped, not walked.
    EXPECT_NE(StretchBlt(dst3.dc(), -2000000000, 0, 2147483647, 4, src.dc(), 0, 0, 4, 4, kSrcCopy),
              0);
}

TEST(Stretch, ColumnsRepeatedOrDroppedByCentreSampling) {
    TestDib src(5, 1, 8);
    for (int x = 0; x < 5; ++x)
        src.Set(x, 0, static_cast<std::uint32_t>(x));
    src.SetColors({0x000000, 0x010101, 0x020202, 0x030303, 0x040404});

    // Destination column d takes source floor((d + 0.5) * 5 / 2): columns 1 and 3.
    TestDib half(2, 1, 8);
    half.SetColors({0x000000, 0x010101, 0x020202, 0x030303, 0x040404});
    ASSERT_NE(StretchBlt(half.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 5, 1, kSrcCopy), 0);
    EXPECT_EQ(half.Get(0, 0), 1u);
    EXPECT_EQ(half.Get(1, 0), 3u);

    // 2 -> 5: floor((d + 0.5) * 2 / 5) = 0, 0, 1, 1, 1.
    TestDib wide(5, 1, 8);
    wide.SetColors({0x000000, 0x010101, 0x020202, 0x030303, 0x040404});
    ASSERT_NE(StretchBlt(wide.dc(), 0, 0, 5, 1, src.dc(), 3, 0, 2, 1, kSrcCopy), 0);
    const std::uint32_t expected[5] = {3, 3, 4, 4, 4};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(wide.Get(x, 0), expected[x]) << x;
}

TEST(Stretch, DoubleAndHalveTwoDimensionsAcrossFormats) {
    TestDib src(2, 2, 4);
    src.SetColors({0, kRed, 0x00FF00, 0x0000FF, kWhite});
    src.Set(0, 0, 1);
    src.Set(1, 0, 2);
    src.Set(0, 1, 3);
    src.Set(1, 1, 4);
    TestDib big(4, 4, 24);
    ASSERT_NE(StretchBlt(big.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, kSrcCopy), 0);
    const std::uint32_t quad[2][2] = {{kRed, 0x00FF00}, {0x0000FF, kWhite}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(big.Get(x, y), quad[y / 2][x / 2]) << x << "," << y;

    TestDib small(1, 1, 32);
    ASSERT_NE(StretchBlt(small.dc(), 0, 0, 1, 1, big.dc(), 0, 0, 4, 4, kSrcCopy), 0);
    EXPECT_EQ(small.Get(0, 0), kWhite);  // centre of 4 x 4 is pixel (2, 2)
}

TEST(Stretch, OppositeSignsMirror) {
    TestDib src(3, 1, 32);
    for (int x = 0; x < 3; ++x)
        src.Set(x, 0, static_cast<std::uint32_t>(x + 1));
    TestDib dst(3, 1, 32);
    // A negative width runs from x + width to x: columns 0..2, mirrored.
    ASSERT_NE(StretchBlt(dst.dc(), 3, 0, -3, 1, src.dc(), 0, 0, 3, 1, kSrcCopy), 0);
    EXPECT_EQ(dst.Get(0, 0), 3u);
    EXPECT_EQ(dst.Get(2, 0), 1u);
}

TEST(Stretch, OverlappingCopyWithinOneBitmap) {
    TestDib s(6, 6, 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            s.Set(x, y, static_cast<std::uint32_t>(y * 6 + x));
    // Identical tables so that indices pass through: make every entry distinct.
    for (std::uint32_t i = 0; i < 256; ++i) {
        RGBQUAD q{static_cast<std::uint8_t>(i), 0, 0, 0};
        SetDIBColorTable(s.dc(), i, 1, &q);
    }
    ASSERT_NE(BitBlt(s.dc(), 1, 1, 5, 5, s.dc(), 0, 0, kSrcCopy), 0);
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 6; ++x)
            EXPECT_EQ(s.Get(x, y), static_cast<std::uint32_t>((y - 1) * 6 + (x - 1)));
}

TEST(Stretch, ModeIsKeptPerContext) {
    TestDib s(1, 1, 32);
    EXPECT_EQ(GetStretchBltMode(s.dc()), kBlackOnWhite);
    EXPECT_EQ(SetStretchBltMode(s.dc(), kColorOnColor), kBlackOnWhite);
    EXPECT_EQ(GetStretchBltMode(s.dc()), kColorOnColor);
    EXPECT_EQ(SetStretchBltMode(s.dc(), 9), 0);
    EXPECT_EQ(GetStretchBltMode(s.dc()), kColorOnColor);
}

TEST(Selection, ABitmapLivesInOneContextAndIsNotDeletedWhileSelected) {
    TestDib s(2, 2, 8);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, &s.bitmap()), nullptr);
    EXPECT_FALSE(DeleteObject(&s.bitmap()));
    EXPECT_EQ(GetObjectType(&s.bitmap()), ObjectType::Bitmap);
    EXPECT_EQ(GetObjectType(other), ObjectType::MemoryDc);
    BITMAP d;
    ASSERT_TRUE(GetObject(&s.bitmap(), &d));
    EXPECT_EQ(d.bmWidth, 2);
    EXPECT_EQ(d.bmWidthBytes, 4);
    EXPECT_EQ(d.bmBitsPixel, 8);
    EXPECT_EQ(d.bmBits, s.bits());
    DeleteDC(other);
}

}  // namespace
