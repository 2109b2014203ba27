#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "dib/Dib.h"
#include "gif/GifImage.h"

namespace {

// Frames are told apart by their delay: frame "A" has delay 1, "B" 2, and so on; a new
// frame has delay 0.
std::vector<int> Delays(const gif::GifImage& gif) {
    std::vector<int> delays;
    for (std::int16_t i = 1; i <= gif.FramesCount(); ++i)
        delays.push_back(gif.FrameDelay(i));
    return delays;
}

void MakeFrames(gif::GifImage& gif, int count) {
    for (int i = 1; i <= count; ++i) {
        gif.FrameInsert(static_cast<std::int16_t>(i), static_cast<std::int16_t>(i * 10), 5);
        gif.SetFrameDelay(static_cast<std::int16_t>(i), static_cast<std::int16_t>(i));
    }
}

}  // namespace

TEST(FrameList, InsertingIntoAnEmptyImageMakesFrameOneAndSetsTheScreen) {
    for (std::int16_t position : {0, 1, 5}) {
        gif::GifImage fresh;  // no frame table yet
        fresh.FrameInsert(position, 30, 20);
        EXPECT_EQ(fresh.FramesCount(), 1);
        EXPECT_EQ(fresh.ScreenWidth(), 30);
        EXPECT_EQ(fresh.ScreenHeight(), 20);

        gif::GifImage destroyed;
        destroyed.Destroy();
        destroyed.FrameInsert(position, 7, 9);
        EXPECT_EQ(destroyed.FramesCount(), 1);
        ASSERT_NE(destroyed.FrameDIBXOR(1), nullptr);
        EXPECT_EQ(destroyed.ScreenWidth(), 7);
        EXPECT_EQ(destroyed.ScreenHeight(), 9);
        EXPECT_THROW(destroyed.FrameDelay(2), std::out_of_range);
    }
}

TEST(FrameList, InsertPutsTheNewFrameWhereAsked) {
    const struct {
        std::int16_t position;
        std::vector<int> order;
    } cases[] = {{1, {0, 1, 2, 3}},
                 {2, {1, 0, 2, 3}},
                 {3, {1, 2, 0, 3}},
                 {4, {1, 2, 3, 0}},
                 {9, {1, 2, 3, 0}}};
    for (const auto& c : cases) {
        gif::GifImage gif;
        MakeFrames(gif, 3);
        gif.FrameInsert(c.position, 50, 60);
        EXPECT_EQ(Delays(gif), c.order) << "position " << c.position;
        // Only the first frame sets the screen size.
        EXPECT_EQ(gif.ScreenWidth(), 10);
        EXPECT_EQ(gif.ScreenHeight(), 5);
    }
}

TEST(FrameList, NewFrameIsBlankWithIndexZeroPixelsAndAnOpaqueMask) {
    gif::GifImage gif;
    MakeFrames(gif, 1);
    gif.SetFrameLeft(1, 3);
    gif.FrameInsert(2, 5, 3);
    EXPECT_EQ(gif.FrameDelay(2), 0);
    EXPECT_EQ(gif.FrameLeft(2), 0);
    EXPECT_EQ(gif.FrameTop(2), 0);
    EXPECT_FALSE(gif.LocalPaletteUsed(2));
    EXPECT_FALSE(gif.FrameUseTransparentColor(2));
    EXPECT_EQ(gif.FrameDisposalMethod(2), 0);
    EXPECT_EQ(gif.LocalPaletteRGBEntry(2, 1), 0);

    const std::shared_ptr<dib::Dib> colours = gif.FrameDIBXOR(2);
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->Width(), 5);
    EXPECT_EQ(colours->Height(), 3);
    EXPECT_EQ(colours->bpp(), 8);
    for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(colours->lpBits()[y * colours->BytesPerScanline() + x], 0);
        }
    }
    const std::shared_ptr<dib::Dib> mask = gif.FrameDIBAND(2);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->bpp(), 1);
    EXPECT_EQ(mask->Width(), 5);
    std::vector<std::uint8_t> palette;
    mask->GetPalette(palette);
    EXPECT_EQ(palette, (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 0}));
    for (std::int32_t i = 0; i < mask->size(); ++i)
        EXPECT_EQ(mask->lpBits()[i], 0) << i;
}

TEST(FrameList, RemoveClosesTheGap) {
    gif::GifImage gif;
    MakeFrames(gif, 3);
    gif.FrameRemove(2);
    EXPECT_EQ(Delays(gif), (std::vector<int>{1, 3}));
    EXPECT_THROW(gif.FrameDelay(3), std::out_of_range);

    gif::GifImage last;
    MakeFrames(last, 3);
    const std::shared_ptr<dib::Dib> kept = last.FrameDIBXOR(3);
    last.FrameRemove(3);
    EXPECT_EQ(Delays(last), (std::vector<int>{1, 2}));
    EXPECT_EQ(kept->Width(), 30);  // a caller's reference outlives the frame

    gif::GifImage only;
    MakeFrames(only, 1);
    only.FrameRemove(1);
    EXPECT_EQ(only.FramesCount(), 0);
    EXPECT_EQ(only.FrameDIBXOR(1), nullptr);  // one blank record remains
    EXPECT_EQ(only.FrameDelay(1), 0);
    EXPECT_EQ(only.ScreenWidth(), 10);  // the screen is not changed
}

TEST(FrameList, MovesExchangeNeighboursWithEverythingTheyCarry) {
    gif::GifImage gif;
    MakeFrames(gif, 3);
    gif.SetFrameLeft(3, 7);
    gif.SetFrameTop(3, 8);
    gif.SetFrameInterlaced(3, true);
    gif.SetFrameUseTransparentColor(3, true);
    gif.SetFrameTransparentColorIndex(3, 9);
    gif.SetLocalPaletteUsed(3, true);
    gif.SetLocalPaletteEntries(3, 4);
    gif.lpLocalPalette(3)[4] = 200;  // entry 1 blue
    const std::shared_ptr<dib::Dib> colours = gif.FrameDIBXOR(3);
    const std::shared_ptr<dib::Dib> mask = gif.FrameDIBAND(3);

    gif.FrameMoveUp(3);
    EXPECT_EQ(Delays(gif), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(gif.FrameLeft(2), 7);
    EXPECT_EQ(gif.FrameTop(2), 8);
    EXPECT_TRUE(gif.FrameInterlaced(2));
    EXPECT_TRUE(gif.FrameUseTransparentColor(2));
    EXPECT_EQ(gif.FrameTransparentColorIndex(2), 9);
    EXPECT_TRUE(gif.LocalPaletteUsed(2));
    EXPECT_EQ(gif.LocalPaletteEntries(2), 4);
    EXPECT_EQ(gif.LocalPaletteRGBEntry(2, 1), 200 * 65536);
    EXPECT_EQ(gif.FrameDIBXOR(2), colours);
    EXPECT_EQ(gif.FrameDIBAND(2), mask);
    EXPECT_EQ(gif.FrameLeft(3), 0);

    gif.FrameMoveDown(1);
    EXPECT_EQ(Delays(gif), (std::vector<int>{3, 1, 2}));
}

TEST(FrameList, OutOfRangeNumbersChangeNothing) {
    gif::GifImage gif;
    MakeFrames(gif, 3);
    EXPECT_THROW(gif.FrameMoveUp(1), std::out_of_range);
    EXPECT_THROW(gif.FrameMoveDown(3), std::out_of_range);
    EXPECT_THROW(gif.FrameRemove(0), std::out_of_range);
    EXPECT_THROW(gif.FrameRemove(4), std::out_of_range);
    // Inserting below frame 1 has no meaning once frames exist.
    EXPECT_THROW(gif.FrameInsert(0, 4, 4), std::out_of_range);
    EXPECT_THROW(gif.FrameInsert(-3, 4, 4), std::out_of_range);
    EXPECT_EQ(Delays(gif), (std::vector<int>{1, 2, 3}));

    // An empty image has only its blank record, which is not a frame to remove or move.
    gif::GifImage empty;
    empty.Destroy();
    EXPECT_THROW(empty.FrameRemove(1), std::out_of_range);
    EXPECT_THROW(empty.FrameMoveDown(1), std::out_of_range);
    EXPECT_EQ(empty.FramesCount(), 0);
    EXPECT_EQ(empty.FrameDelay(1), 0);

    gif::GifImage fresh;  // no table at all
    EXPECT_THROW(fresh.FrameRemove(1), std::out_of_range);
    EXPECT_THROW(fresh.FrameMoveUp(2), std::out_of_range);
    EXPECT_THROW(fresh.FrameMoveDown(1), std::out_of_range);
    EXPECT_EQ(fresh.FramesCount(), 0);
}

TEST(FrameList, SizesTheBitmapClassRefusesLeaveEmptyBitmaps) {
    gif::GifImage gif;
    gif.FrameInsert(1, 0, 10);
    ASSERT_EQ(gif.FramesCount(), 1);
    ASSERT_NE(gif.FrameDIBXOR(1), nullptr);
    EXPECT_EQ(gif.FrameDIBXOR(1)->lpBits(), nullptr);
    EXPECT_EQ(gif.FrameDIBAND(1)->lpBits(), nullptr);
}

TEST(FrameList, TheFrameCountCannotPassItsLimit) {
    gif::GifImage gif;
    // Frames of width 0 get no pixel memory, which keeps 32767 of them cheap.
    for (int i = 0; i < 32767; ++i)
        gif.FrameInsert(32767, 0, 1);
    ASSERT_EQ(gif.FramesCount(), 32767);
    EXPECT_THROW(gif.FrameInsert(1, 1, 1), std::overflow_error);
    EXPECT_EQ(gif.FramesCount(), 32767);
}
