#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "GifBuilder.h"
#include "gif/GifImage.h"
#include "tools/corpogif/FrameDigests.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TwoFrameTransparentGif() {
    GifBuilder gif;
    gif.Screen(4, 2, 1).ColourTable({0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    gif.GraphicControl(0, 5, 1).Image(0, 0, 4, 2, {0, 1, 2, 3, 3, 2, 1, 0}, 2);
    gif.Image(1, 1, 2, 1, {3, 3}, 2);
    return gif.Trailer().Data();
}

TEST(GifModel, NewObjectHasNoFrameTable) {
    gif::GifImage gif;
    EXPECT_EQ(gif.FramesCount(), 0);
    EXPECT_THROW(gif.FrameDelay(1), std::out_of_range);
    EXPECT_THROW(gif.SetFrameDelay(1, 3), std::out_of_range);
    EXPECT_THROW(gif.lpLocalPalette(1), std::out_of_range);
}

TEST(GifModel, DestroyLeavesOneBlankRecord) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(TwoFrameTransparentGif()));
    gif.SetAnimationLoops(4);
    const auto kept = gif.FrameDIBXOR(1);
    const auto keptMask = gif.FrameDIBAND(1);
    gif.Destroy();
    EXPECT_EQ(gif.FramesCount(), 0);
    EXPECT_EQ(gif.FrameDelay(1), 0);
    EXPECT_EQ(gif.FrameDIBXOR(1), nullptr);
    EXPECT_THROW(gif.FrameDelay(2), std::out_of_range);
    EXPECT_THROW(gif.FrameDelay(0), std::out_of_range);
    EXPECT_FALSE(gif.GlobalPaletteExists());
    EXPECT_EQ(gif.GlobalPaletteEntries(), 0);
    EXPECT_EQ(gif.AnimationLoops(), 0);
    EXPECT_EQ(gif.ScreenWidth(), 0);
    EXPECT_EQ(Bytes(gif.lpGlobalPalette(), gif.lpGlobalPalette() + 1024), Bytes(1024, 0));
    // A bitmap a caller still holds lives on with the caller, pixels and all.
    EXPECT_EQ(kept->Width(), 4);
    ASSERT_NE(kept->lpBits(), nullptr);
    EXPECT_EQ(Bytes(kept->lpBits(), kept->lpBits() + 8), (Bytes{0, 1, 2, 3, 3, 2, 1, 0}));
    ASSERT_NE(keptMask->lpBits(), nullptr);
    EXPECT_EQ(keptMask->lpBits()[0], 0x40);  // index 1 is transparent
    EXPECT_EQ(keptMask->lpBits()[4], 0x20);
}

TEST(GifModel, PixelAspectRatioMapsToTheAspectByte) {
    gif::GifImage gif;
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 0.234375f);  // byte 0 is not special
    gif.SetScreenPixelAspectRatio(1.0f);
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 1.0f);  // byte 49
    gif.SetScreenPixelAspectRatio(0.25f);
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 16 / 64.0f);  // byte 1
    // Halves go to the even neighbour: 2.5 gives 2, 3.5 gives 4.
    gif.SetScreenPixelAspectRatio(17.5f / 64);
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 17 / 64.0f);
    gif.SetScreenPixelAspectRatio(18.5f / 64);
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 19 / 64.0f);
    // Out of the byte's range or not a number: an error, and the byte keeps its value.
    for (float bad : {0.2f, 4.25f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity()}) {
        EXPECT_THROW(gif.SetScreenPixelAspectRatio(bad), std::overflow_error) << bad;
        EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 19 / 64.0f);
    }
    gif.SetScreenPixelAspectRatio(270.0f / 64);  // 255 exactly
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 270 / 64.0f);
}

TEST(GifModel, GlobalColoursReadOnlyWhileTheGlobalTableExists) {
    gif::GifImage gif;
    gif.Destroy();
    std::uint8_t* palette = gif.lpGlobalPalette();
    palette[12] = 10;  // blue
    palette[13] = 20;  // green
    palette[14] = 30;  // red
    EXPECT_EQ(gif.GlobalPaletteRGBEntry(3), 0);
    gif.SetGlobalPaletteExists(true);
    EXPECT_EQ(gif.GlobalPaletteRGBEntry(3), 30 + 20 * 256 + 10 * 65536);
    gif.SetGlobalPaletteExists(false);
    EXPECT_EQ(gif.GlobalPaletteRGBEntry(3), 0);
    EXPECT_EQ(palette[14], 30);
}

TEST(GifModel, SettersStoreAndChangeNoBitmap) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(TwoFrameTransparentGif()));
    const std::string mask = corpogif::MaskMd5(*gif.FrameDIBAND(1));
    const std::string colour = corpogif::IndicesMd5(*gif.FrameDIBXOR(1));
    gif.SetFrameTransparentColorIndex(1, 3);
    gif.SetFrameUseTransparentColor(1, false);
    gif.SetFrameUseTransparentColor(2, true);
    EXPECT_EQ(corpogif::MaskMd5(*gif.FrameDIBAND(1)), mask);
    EXPECT_EQ(corpogif::IndicesMd5(*gif.FrameDIBXOR(1)), colour);
    EXPECT_EQ(gif.FrameTransparentColorIndex(1), 3);

    gif.SetFrameDisposalMethod(1, 7);
    EXPECT_EQ(gif.FrameDisposalMethod(1), 7);
    EXPECT_THROW(gif.SetFrameDisposalMethod(1, 256), std::overflow_error);
    EXPECT_THROW(gif.SetFrameDisposalMethod(1, -1), std::overflow_error);
    EXPECT_EQ(gif.FrameDisposalMethod(1), 7);
    gif.SetGlobalPaletteEntries(-5);  // nothing checks ranges
    EXPECT_EQ(gif.GlobalPaletteEntries(), -5);
    gif.SetFrameLeft(2, -300);
    EXPECT_EQ(gif.FrameLeft(2), -300);
    EXPECT_EQ(gif.FrameDIBXOR(1), gif.FrameDIBXOR(1));  // the frame's own bitmap, shared
    EXPECT_THROW(gif.SetFrameLeft(3, 0), std::out_of_range);
}

}  // namespace
