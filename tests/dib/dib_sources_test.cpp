// Dib from pictures and bitmap files, and back to pictures.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "BmpBuilder.h"
#include "dib/Dib.h"
#include "platform/Errors.h"

namespace gdi = platform::gdi;
using platform::Picture;
using platform::PicturePtr;

namespace {

// An 8-bit bitmap picture, 2 x 1: entry 1 at pixel 1.
PicturePtr EightBitPicture() {
    gdi::BITMAPINFOHEADER h;
    h.biSize = 40;
    h.biWidth = 2;
    h.biHeight = 1;  // bottom-up, as loaded pictures usually are
    h.biPlanes = 1;
    h.biBitCount = 8;
    std::uint8_t* bits = nullptr;
    gdi::HBITMAP b = gdi::CreateDIBSection(nullptr, h, nullptr, &bits);
    b->ColorTable()[1] = gdi::RGBQUAD{0x30, 0x20, 0x10, 0};
    bits[1] = 1;
    return Picture::FromBitmap(b);
}

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(DibFromPicture, RefusesNonBitmapsAndKeepsTheObject) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(3, 3, 32));
    gdi::HBITMAP before = d.hDIB();
    PicturePtr icon = Picture::FromPixels(Picture::Kind::Icon, 1, 1, {0xFF000000u});
    PicturePtr metafile = Picture::FromPixels(Picture::Kind::Metafile, 1, 1, {0xFF000000u});
    EXPECT_EQ(d.CreateFromStdPicture(icon), 0);
    EXPECT_EQ(d.CreateFromStdPicture(metafile), 0);
    EXPECT_EQ(d.CreateFromStdPicture(nullptr), 0);
    EXPECT_EQ(d.hDIB(), before);
    EXPECT_EQ(d.Width(), 3);
}

TEST(DibFromPicture, CopiesInOwnOrThirtyTwoBitFormat) {
    PicturePtr picture = EightBitPicture();
    dib::Dib same;
    EXPECT_EQ(same.CreateFromStdPicture(picture), 8);
    EXPECT_EQ(same.bpp(), 8);
    EXPECT_EQ(same.lpBits()[1], 1);  // top-down now, indices unchanged
    std::vector<std::uint8_t> palette;
    same.GetPalette(palette);
    EXPECT_EQ(palette[4], 0x30);
    EXPECT_EQ(palette[6], 0x10);

    dib::Dib wide;
    EXPECT_EQ(wide.CreateFromStdPicture(picture, true), 8);
    EXPECT_EQ(wide.bpp(), 32);
    std::uint32_t pixel;
    std::memcpy(&pixel, wide.lpBits() + 4, 4);
    EXPECT_EQ(pixel & 0xFFFFFF, 0x102030u);
    // The picture's bitmap is free again for the next copy.
    EXPECT_EQ(picture->Handle()->SelectedInto(), nullptr);
}

TEST(DibFromBitmapFile, LoadsKeepingFileRowOrder) {
    bmptest::BmpSpec s;
    s.width = 1;
    s.height = 2;
    s.bitCount = 8;
    s.colorsUsed = 2;
    s.colorTable = {0x000000, 0x00FF00};
    s.pixels = {1, 0, 0, 0, 0, 0, 0, 0};  // bottom row index 1, top row index 0
    const std::string path = WriteFile("dib_load.bmp", bmptest::BuildBmp(s));
    dib::Dib d;
    EXPECT_EQ(d.CreateFromBitmapFile(path), 8);
    EXPECT_EQ(d.Width(), 1);
    EXPECT_EQ(d.Height(), 2);
    EXPECT_EQ(d.BytesPerScanline(), 4);
    EXPECT_EQ(d.size(), 8);
    EXPECT_EQ(d.lpBits()[0], 1);  // the last image row comes first in memory

    // A clone shows the same picture, top-down.
    dib::Dib clone;
    d.CloneTo(clone);
    EXPECT_EQ(clone.lpBits()[0], 0);
    EXPECT_EQ(clone.lpBits()[4], 1);
    std::remove(path.c_str());
}

TEST(DibFromBitmapFile, MissingEmptyAndBrokenFiles) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(2, 2, 24));
    EXPECT_THROW(d.CreateFromBitmapFile(::testing::TempDir() + "no_such_file.bmp"),
                 platform::FileNotFoundError);
    EXPECT_EQ(d.Width(), 2);

    const std::string empty = WriteFile("dib_empty.bmp", {});
    EXPECT_EQ(d.CreateFromBitmapFile(empty), 0);
    EXPECT_NE(d.hDIB(), nullptr);  // an empty file changes nothing

    const std::string broken = WriteFile("dib_broken.bmp", {'B', 'M', 0, 0});
    EXPECT_EQ(d.CreateFromBitmapFile(broken), 0);
    EXPECT_EQ(d.hDIB(), nullptr);
    EXPECT_EQ(d.Width(), 0);
    std::remove(empty.c_str());
    std::remove(broken.c_str());
}

TEST(DibImage, NewPictureWithTheColoursEvenWhenEmpty) {
    dib::Dib d;
    ASSERT_TRUE(d.Create(2, 2, 4));
    d.SetPalette({0, 0, 0, 0, 0x33, 0x22, 0x11, 0});
    d.lpBits()[4] = 0x01;  // row 1: pixel 1 is entry 1
    PicturePtr a = d.Image();
    PicturePtr b = d.Image();
    ASSERT_TRUE(a);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->GetKind(), Picture::Kind::Bitmap);
    EXPECT_EQ(a->Width(), 2);
    EXPECT_EQ(a->Pixels()[3], 0xFF112233u);
    EXPECT_EQ(a->Pixels()[0], 0xFF000000u);

    dib::Dib empty;
    PicturePtr blank = empty.Image();
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->Width(), 1);  // the platform's 1 x 1 bitmap for a 0 x 0 request
}

}  // namespace
