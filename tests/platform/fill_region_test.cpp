// Brushes, rectangle fills and rectangular regions with subtraction.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/Surface.h"

using namespace gditest;

namespace {

TEST(FillRect, FillsHalfOpenRectangleClippedToTheBitmap) {
    TestDib s(5, 4, 32);
    HBRUSH brush = CreateSolidBrush(MakeColorRef(0x11, 0x22, 0x33));
    RECT r;
    SetRect(&r, -3, 1, 2, 99);
    EXPECT_NE(FillRect(s.dc(), &r, brush), 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(s.Get(x, y), (x < 2 && y >= 1) ? 0x112233u : 0u) << x << "," << y;
    SetRect(&r, 4, 3, 2, 0);  // reversed corners: nothing
    EXPECT_NE(FillRect(s.dc(), &r, brush), 0);
    EXPECT_EQ(s.Get(3, 2), 0u);
    DeleteObject(brush);
}

TEST(FillRect, IndexedBitmapsStoreTheNearestEntry) {
    TestDib s(9, 1, 1);
    s.SetColors({0x000000, 0xFFFFFF});
    HBRUSH light = CreateSolidBrush(MakeColorRef(200, 200, 200));
    RECT r{0, 0, 9, 1};
    FillRect(s.dc(), &r, light);
    EXPECT_EQ(s.bits()[0], 0xFF);
    EXPECT_EQ(s.bits()[1], 0x80);  // padding bits past the ninth pixel untouched
    DeleteObject(light);

    TestDib black(3, 1, 8);  // all entries black: index 0 everywhere
    black.FillWith(7);
    HBRUSH any = CreateSolidBrush(MakeColorRef(90, 10, 10));
    FillRect(black.dc(), &r, any);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(black.Get(x, 0), 0u);
    DeleteObject(any);
}

TEST(Region, DifferenceOfFrameAndInnerRectangleFillsOnlyTheBorder) {
    HRGN whole = CreateRectRgn(0, 0, 6, 5);
    HRGN inner = CreateRectRgn(2, 1, 4, 3);
    EXPECT_EQ(CombineRgn(whole, whole, inner, kRgnDiff), kComplexRegion);
    TestDib s(6, 5, 24);
    HBRUSH brush = CreateSolidBrush(MakeColorRef(0, 0, 255));
    EXPECT_TRUE(FillRgn(s.dc(), whole, brush));
    int filled = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool insideHole = x >= 2 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(s.Get(x, y), insideHole ? 0u : 0x0000FFu) << x << "," << y;
            filled += s.Get(x, y) != 0;
        }
    EXPECT_EQ(filled, 30 - 4);  // every border pixel once: the pieces do not overlap
    DeleteObject(brush);
    DeleteObject(whole);
    DeleteObject(inner);
}

TEST(Region, KindsOfResults) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(0, 0, 10, 10);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, kRgnDiff), kNullRegion);  // fit rectangle covers all
    HRGN side = CreateRectRgn(5, -5, 20, 20);
    EXPECT_EQ(CombineRgn(out, a, side, kRgnDiff), kSimpleRegion);
    ASSERT_EQ(out->Rects().size(), 1u);
    EXPECT_EQ(out->Rects()[0].right, 5);
    HRGN apart = CreateRectRgn(30, 30, 40, 40);
    EXPECT_EQ(CombineRgn(out, a, apart, kRgnDiff), kSimpleRegion);
    EXPECT_EQ(CombineRgn(out, a, b, 1), kRegionError);  // only subtraction is provided
    for (HRGN r : {a, b, out, side, apart})
        EXPECT_TRUE(DeleteObject(r));
}

}  // namespace

namespace {

TEST(Surface, ResizeKeepsTheContextAndEmptySizesDrawNothing) {
    platform::gdi::Surface surface;
    HDC dc = surface.hDC();
    ASSERT_TRUE(surface.Resize(3, 2));
    HBRUSH brush = CreateSolidBrush(MakeColorRef(1, 2, 3));
    RECT all{0, 0, 3, 2};
    EXPECT_NE(FillRect(dc, &all, brush), 0);
    EXPECT_EQ(surface.Bits()[surface.Stride() + 8], 3);  // blue byte of pixel (2, 1)

    ASSERT_TRUE(surface.Resize(5, 4));
    EXPECT_EQ(surface.hDC(), dc);
    EXPECT_EQ(surface.Bits()[0], 0);  // a new, black bitmap
    ASSERT_TRUE(surface.Resize(0, 4));
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(FillRect(dc, &all, brush), 0);
    DeleteObject(brush);
}

}  // namespace
