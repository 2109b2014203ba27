// Dib drawing: LoadBlt, Stretch, Cls and CloneTo, and the mask-and-colour composition
// that frames are drawn with.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dib/Dib.h"

namespace gdi = platform::gdi;

namespace {

std::uint32_t Pixel32(const dib::Dib& d, int x, int y) {
    std::uint32_t v;
    std::memcpy(&v, d.lpBits() + y * d.BytesPerScanline() + 4 * x, 4);
    return v & 0xFFFFFF;
}

std::vector<std::uint8_t> Palette(std::initializer_list<std::uint32_t> rgb) {
    std::vector<std::uint8_t> p;
    for (std::uint32_t c : rgb) {
        p.push_back(static_cast<std::uint8_t>(c));
        p.push_back(static_cast<std::uint8_t>(c >> 8));
        p.push_back(static_cast<std::uint8_t>(c >> 16));
        p.push_back(0);
    }
    return p;
}

TEST(DibCls, ColoursSystemColoursAndIndexedFill) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(3, 2, 32));
    d.Cls(0x00332211);  // OLE colour: red 0x11, green 0x22, blue 0x33
    EXPECT_EQ(Pixel32(d, 2, 1), 0x112233u);
    d.Cls(platform::kOleButtonFace);
    EXPECT_EQ(Pixel32(d, 0, 0), 0xF0F0F0u);
    d.Cls(0x01000005);  // untranslatable: black
    EXPECT_EQ(Pixel32(d, 1, 1), 0u);

    dib::Dib indexed;
    ASSERT_TRUE(indexed.Create(5, 2, 8));
    std::memset(indexed.lpBits(), 9, static_cast<std::size_t>(indexed.size()));
    indexed.Cls();  // all entries black: index 0 throughout
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(indexed.lpBits()[i], 0);
    indexed.SetPalette(Palette({0x000000, 0xFF0000, 0x00FF00}));
    indexed.Cls(0x0000F000);  // green-ish: entry 2
    EXPECT_EQ(indexed.lpBits()[indexed.BytesPerScanline() + 4], 2);

    dib::Dib empty;
    empty.Cls(0xFFFFFF);  // nothing to fill, nothing happens
    EXPECT_EQ(empty.hDIB(), nullptr);
}

TEST(DibLoadBlt, WholeBitmapByDefaultAndNothingWhenEmpty) {
    dib::Dib src;
    ASSERT_TRUE(src.Create(4, 3, 32));
    src.Cls(0x000000FF);  // red
    dib::Dib dst;
    ASSERT_TRUE(dst.Create(4, 3, 32));
    EXPECT_NE(dst.LoadBlt(src.hDC(), 0, 0), 0);
    EXPECT_EQ(Pixel32(dst, 3, 2), 0xFF0000u);

    dst.Cls(0);
    EXPECT_NE(dst.LoadBlt(src.hDC(), 2, 1, 0, 1), 0);  // width 0: the whole width
    EXPECT_EQ(Pixel32(dst, 1, 0), 0xFF0000u);          // source columns 2, 3 exist
    EXPECT_EQ(Pixel32(dst, 2, 0), 0u);                 // source column 4 does not
    EXPECT_EQ(Pixel32(dst, 0, 1), 0u);                 // one row only

    dib::Dib empty;
    EXPECT_EQ(empty.LoadBlt(src.hDC(), 0, 0), 0);
    EXPECT_EQ(empty.Stretch(dst.hDC(), 0, 0, 4, 3), 0);
}

TEST(DibStretch, DefaultsScaleAndModeRestored) {
    dib::Dib src;
    ASSERT_TRUE(src.Create(2, 1, 8));
    src.SetPalette(Palette({0x0000FF, 0x00FF00}));
    src.lpBits()[1] = 1;
    dib::Dib dst;
    ASSERT_TRUE(dst.Create(4, 2, 32));
    gdi::SetStretchBltMode(dst.hDC(), gdi::kHalftone);
    EXPECT_NE(src.Stretch(dst.hDC(), 0, 0, 4, 2), 0);  // whole source, doubled
    EXPECT_EQ(Pixel32(dst, 0, 1), 0x0000FFu);
    EXPECT_EQ(Pixel32(dst, 1, 1), 0x0000FFu);
    EXPECT_EQ(Pixel32(dst, 2, 0), 0x00FF00u);
    EXPECT_EQ(gdi::GetStretchBltMode(dst.hDC()), gdi::kHalftone);  // put back

    dst.Cls(0);
    // From source column 1 with the whole width (2): the source rectangle reaches past
    // the bitmap, and destination pixels that map past it are not drawn.
    EXPECT_NE(src.Stretch(dst.hDC(), 1, 0, 3, 1, 1, 0), 0);
    EXPECT_EQ(Pixel32(dst, 0, 0), 0u);
    EXPECT_EQ(Pixel32(dst, 1, 0), 0x00FF00u);
    EXPECT_EQ(Pixel32(dst, 2, 0), 0u);
    EXPECT_EQ(Pixel32(dst, 1, 1), 0u);
}

TEST(DibComposition, MaskFromColourTableSwapThenAndOrDraw) {
    // An 8-bit frame with transparent index 5, its 1-bit mask, drawn over a canvas.
    const int t = 5;
    dib::Dib colour;
    ASSERT_TRUE(colour.Create(4, 2, 8));
    const std::uint8_t indices[8] = {1, 5, 2, 5, 5, 3, 0, 1};
    for (int y = 0; y < 2; ++y)
        std::memcpy(colour.lpBits() + y * colour.BytesPerScanline(), indices + 4 * y, 4);
    // Entry 3 has the same colour as the transparent entry: it must stay opaque.
    const std::vector<std::uint8_t> framePalette =
        Palette({0x000000, 0xFF0000, 0x00FF00, 0x123456, 0x000000, 0x123456});
    dib::Dib mask;
    ASSERT_TRUE(mask.Create(4, 2, 1));
    mask.SetPalette({0, 0, 0, 0, 255, 255, 255, 0});
    mask.Cls(0);

    std::vector<std::uint8_t> m(1024, 0);
    m[4 * t] = m[4 * t + 1] = m[4 * t + 2] = 255;
    colour.SetPalette(m);
    ASSERT_NE(mask.LoadBlt(colour.hDC(), 0, 0), 0);
    std::vector<std::uint8_t> p = framePalette;
    p.resize(1024, 0);
    p[4 * t] = p[4 * t + 1] = p[4 * t + 2] = 0;
    colour.SetPalette(p);
    EXPECT_EQ(mask.lpBits()[0], 0x50);                        // pixels 1 and 3
    EXPECT_EQ(mask.lpBits()[mask.BytesPerScanline()], 0x80);  // pixel 0 of row 1

    dib::Dib canvas;
    ASSERT_TRUE(canvas.Create(6, 3, 32));
    canvas.Cls(0x00AAAAAA);
    mask.Stretch(canvas.hDC(), 1, 1, 4, 2, 0, 0, 4, 2, gdi::kSrcAnd);
    colour.Stretch(canvas.hDC(), 1, 1, 4, 2, 0, 0, 4, 2, gdi::kSrcPaint);
    EXPECT_EQ(Pixel32(canvas, 1, 1), 0xFF0000u);
    EXPECT_EQ(Pixel32(canvas, 2, 1), 0xAAAAAAu);  // transparent shows the canvas
    EXPECT_EQ(Pixel32(canvas, 4, 1), 0xAAAAAAu);
    EXPECT_EQ(Pixel32(canvas, 1, 2), 0xAAAAAAu);
    EXPECT_EQ(Pixel32(canvas, 2, 2), 0x123456u);  // same colour as t, but opaque
    EXPECT_EQ(Pixel32(canvas, 3, 2), 0u);         // opaque black draws black
    EXPECT_EQ(Pixel32(canvas, 0, 0), 0xAAAAAAu);  // outside the frame
}

TEST(DibCloneTo, IndependentCopyWithPalette) {
    dib::Dib a;
    ASSERT_TRUE(a.Create(3, 2, 4));
    a.SetPalette(Palette({0x010203, 0x040506}));
    a.lpBits()[0] = 0x10;
    dib::Dib b;
    a.CloneTo(b);
    ASSERT_NE(b.hDIB(), nullptr);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.bpp(), 4);
    EXPECT_EQ(b.lpBits()[0], 0x10);
    std::vector<std::uint8_t> pa, pb;
    a.GetPalette(pa);
    b.GetPalette(pb);
    EXPECT_EQ(pa, pb);
    b.lpBits()[0] = 0;
    EXPECT_EQ(a.lpBits()[0], 0x10);  // separate memory

    a.CloneTo(a);  // onto itself: nothing is lost
    EXPECT_EQ(a.lpBits()[0], 0x10);

    dib::Dib empty;
    empty.CloneTo(b);  // nothing to clone: the target is emptied, as Create(0, 0, 0) does
    EXPECT_EQ(b.hDIB(), nullptr);
}

}  // namespace
