// The controls' drawing surface over the software graphics layer.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "controls/ControlSurface.h"

namespace controls {
namespace {

using platform::Picture;
namespace gdi = platform::gdi;

std::uint32_t PixelAt(const ControlSurface& surface, int x, int y) {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, surface.Bits() + y * surface.Stride() + x * 4, sizeof pixel);
    return pixel & 0xFFFFFF;
}

TEST(ControlSurface, ClearsAndDrawsAtTheTopLeftWithoutScaling) {
    ControlSurface surface;
    ASSERT_TRUE(surface.Resize(5, 4));
    EXPECT_EQ(surface.Stride(), 20);
    ASSERT_TRUE(surface.Clear(gdi::MakeColorRef(224, 224, 224)));
    EXPECT_EQ(PixelAt(surface, 4, 3), 0xE0E0E0u);

    // A 2 x 2 picture: only its own corner changes, its rows top-down.
    const auto picture = Picture::FromPixels(Picture::Kind::Bitmap, 2, 2,
                                             {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC});
    ASSERT_TRUE(surface.Draw(*picture, 0, 0));
    EXPECT_EQ(PixelAt(surface, 0, 0), 0x112233u);
    EXPECT_EQ(PixelAt(surface, 1, 0), 0x445566u);
    EXPECT_EQ(PixelAt(surface, 0, 1), 0x778899u);
    EXPECT_EQ(PixelAt(surface, 2, 0), 0xE0E0E0u);
    EXPECT_EQ(PixelAt(surface, 0, 2), 0xE0E0E0u);

    // Larger than the surface: clipped, not scaled.
    const auto large = Picture::FromPixels(Picture::Kind::Bitmap, 9, 9,
                                           std::vector<std::uint32_t>(81, 0xFF0000FF));
    ASSERT_TRUE(surface.Draw(*large, 0, 0));
    EXPECT_EQ(PixelAt(surface, 4, 3), 0x0000FFu);
}

TEST(ControlSurface, IconPicturesKeepTheirTransparentParts) {
    ControlSurface surface;
    ASSERT_TRUE(surface.Resize(2, 1));
    surface.Clear(gdi::MakeColorRef(0, 128, 0));
    const auto icon = Picture::FromPixels(Picture::Kind::Icon, 2, 1, {0x00FF0000, 0xFFFF0000});
    surface.Draw(*icon, 0, 0);
    EXPECT_EQ(PixelAt(surface, 0, 0), 0x008000u);
    EXPECT_EQ(PixelAt(surface, 1, 0), 0xFF0000u);
}

TEST(ControlSurface, WithoutASizeThereIsNothingToDrawOn) {
    ControlSurface surface;
    EXPECT_FALSE(surface.Clear(0));
    ASSERT_TRUE(surface.Resize(3, 3));
    ASSERT_TRUE(surface.Resize(0, 7));
    EXPECT_EQ(surface.Bits(), nullptr);
    const auto picture = Picture::FromPixels(Picture::Kind::Bitmap, 1, 1, {0xFFFFFFFF});
    EXPECT_FALSE(surface.Draw(*picture, 0, 0));
    EXPECT_FALSE(surface.Clear(0));
    // And a surface can be made again after that.
    ASSERT_TRUE(surface.Resize(1, 1));
    EXPECT_TRUE(surface.Clear(gdi::MakeColorRef(1, 2, 3)));
    EXPECT_EQ(PixelAt(surface, 0, 0), 0x010203u);
}

}  // namespace
}  // namespace controls
