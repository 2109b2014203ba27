// Picture objects (kinds, sizes, pixels, drawing) and the property store of the controls.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"

using namespace gditest;
using platform::Picture;
using platform::PicturePtr;
using platform::PropertyBag;

namespace {

TEST(Picture, BitmapPictureOwnsItsBitmapAndShowsItsColours) {
    TestDib s(2, 1, 8);
    s.SetColors({0x000000, 0x123456});
    s.Set(1, 0, 1);
    HBITMAP copy = CreateCompatibleBitmap(GetDC(nullptr), 2, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, 2, 1, s.dc(), 0, 0, kSrcCopy);
    EXPECT_EQ(Picture::FromBitmap(copy), nullptr);  // still selected: not handed over
    SelectObject(dc, old);
    DeleteDC(dc);

    PicturePtr picture = Picture::FromBitmap(copy);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetKind(), Picture::Kind::Bitmap);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_EQ(picture->Height(), 1);
    EXPECT_EQ(picture->Handle(), copy);
    EXPECT_EQ(picture->Pixels()[0], 0xFF000000u);
    EXPECT_EQ(picture->Pixels()[1], 0xFF123456u);
}

TEST(Picture, IconsHaveNoBitmapHandleAndBlendWhenDrawn) {
    PicturePtr icon =
        Picture::FromPixels(Picture::Kind::Icon, 3, 1, {0xFFFF0000u, 0x00FFFFFFu, 0x80FFFFFFu});
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Handle(), nullptr);
    EXPECT_EQ(GetObjectType(icon->Handle()), ObjectType::None);

    TestDib s(4, 1, 32);
    s.FillWith(0x000000);
    ASSERT_TRUE(platform::DrawPicture(s.dc(), *icon, 1, 0));
    EXPECT_EQ(s.Get(0, 0), 0u);
    EXPECT_EQ(s.Get(1, 0), 0xFF0000u);  // opaque
    EXPECT_EQ(s.Get(2, 0), 0u);         // fully transparent
    EXPECT_EQ(s.Get(3, 0), 0x808080u);  // half over black

    EXPECT_FALSE(Picture::FromPixels(Picture::Kind::Icon, 2, 2, {0, 0, 0}));  // wrong count
}

TEST(Picture, PixelBitmapPicturesAreOpaqueAndDrawAsCopies) {
    PicturePtr p = Picture::FromPixels(Picture::Kind::Bitmap, 2, 1, {0x00ABCDEFu, 0x7F010203u});
    ASSERT_TRUE(p);
    ASSERT_NE(p->Handle(), nullptr);
    EXPECT_EQ(p->Pixels()[0], 0xFFABCDEFu);
    TestDib s(2, 1, 24);
    ASSERT_TRUE(platform::DrawPicture(s.dc(), *p, 0, 0));
    EXPECT_EQ(s.Get(0, 0), 0xABCDEFu);
    EXPECT_EQ(s.Get(1, 0), 0x010203u);
}

TEST(PropertyBag, DefaultsTypesAndPictures) {
    PropertyBag bag;
    EXPECT_EQ(bag.Read<bool>("AutoPlay", false), false);
    bag.WriteProperty("AutoPlay", true, false);
    bag.WriteProperty("BackColor", std::uint32_t{0x8000000F}, std::uint32_t{0x8000000F});
    bag.WriteProperty("BorderStyle", std::int32_t{1}, std::int32_t{0});
    EXPECT_TRUE(bag.Read<bool>("AutoPlay", false));
    EXPECT_FALSE(bag.Contains("BackColor"));  // equal to its default: not kept
    EXPECT_EQ(bag.Read<std::uint32_t>("BackColor", 0x8000000Fu), 0x8000000Fu);
    EXPECT_EQ(bag.Read<std::int32_t>("BorderStyle", 0), 1);
    // A value of the wrong type reads as the default.
    EXPECT_EQ(bag.Read<std::string>("BorderStyle", "x"), "x");
    EXPECT_EQ(std::get<bool>(bag.ReadProperty("BorderStyle", false)), false);

    PicturePtr pic = Picture::FromPixels(Picture::Kind::Icon, 1, 1, {0});
    bag.WriteProperty("Picture", pic);
    EXPECT_EQ(bag.Read<PicturePtr>("Picture", nullptr), pic);
    bag.WriteProperty("Picture", PicturePtr{});  // no picture: the entry goes
    EXPECT_FALSE(bag.Contains("Picture"));
    bag.WriteProperty("AutoPlay", false, false);
    EXPECT_EQ(bag.Count(), 1u);
}

}  // namespace
