#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "GifBuilder.h"
#include "dib/Dib.h"
#include "gif/FrameMask.h"
#include "gif/GifImage.h"
#include "platform/Errors.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kBackground = 0x00808080;  // grey, as 0x00RRGGBB in memory order B, G, R, 0
constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kGreen = 0x0000FF00;
constexpr std::uint32_t kBlack = 0;

// A 32-bit destination filled with grey.
struct Destination {
    dib::Dib dib;
    Destination(int width, int height) {
        dib.Create(width, height, 32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Pixel(x, y) = kBackground;
    }
    std::uint32_t& Pixel(int x, int y) {
        return *reinterpret_cast<std::uint32_t*>(dib.lpBits() + y * dib.BytesPerScanline() + 4 * x);
    }
    // The bounding box of pixels that are no longer grey: left, top, right, bottom (exclusive).
    std::vector<int> Changed() {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x)
                if (Pixel(x, y) != kBackground) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
        if (right < 0) return {};
        return {left, top, right, bottom};
    }
};

// Global table: 0 black, 1 red, 2 green, 3 red again (same colour as 1).
GifBuilder Screen(int width, int height) {
    GifBuilder gif;
    gif.Screen(width, height, 1).ColourTable({0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 0, 0});
    return gif;
}

TEST(FrameRendering, TransparentPixelsShowTheDestinationAndOthersAreOpaque) {
    // Index 1 (red) is transparent; index 3 has the same colour but stays opaque.
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(
        Screen(4, 1).GraphicControl(0, 0, 1).Image(0, 0, 4, 1, {0, 1, 2, 3}, 2).Trailer().Data()));
    Destination to(4, 1);
    gif.FrameDraw(to.dib.hDC(), 1);
    EXPECT_EQ(to.Pixel(0, 0), kBlack);
    EXPECT_EQ(to.Pixel(1, 0), kBackground);
    EXPECT_EQ(to.Pixel(2, 0), kGreen);
    EXPECT_EQ(to.Pixel(3, 0), kRed);
}

TEST(FrameRendering, DrawPlacesScalesAndCropsTheFrame) {
    gif::GifImage gif;
    Bytes solid(100 * 10, 2);
    ASSERT_TRUE(
        gif.LoadFromStream(Screen(120, 40).Image(50, 20, 100, 10, solid, 2).Trailer().Data()));

    Destination natural(200, 60);
    gif.FrameDraw(natural.dib.hDC(), 1, 0, 0, 1.0f, false);
    EXPECT_EQ(natural.Changed(), (std::vector<int>{50, 20, 150, 30}));

    Destination cropped(200, 60);
    gif.FrameDraw(cropped.dib.hDC(), 1, 0, 0, 1.0f, true);  // 70 columns remain
    EXPECT_EQ(cropped.Changed(), (std::vector<int>{50, 20, 120, 30}));

    Destination offset(200, 60);
    gif.FrameDraw(offset.dib.hDC(), 1, 3, -5, 1.0f, false);
    EXPECT_EQ(offset.Changed(), (std::vector<int>{53, 15, 153, 25}));

    // Halves round to even: 50 * 0.5 = 25, 20 * 0.5 = 10, 100 * 0.5 = 50, 10 * 0.5 = 5.
    Destination half(200, 60);
    gif.FrameDraw(half.dib.hDC(), 1, 0, 0, 0.5f, false);
    EXPECT_EQ(half.Changed(), (std::vector<int>{25, 10, 75, 15}));

    gif.SetFrameLeft(1, 5);
    gif.SetFrameTop(1, 7);
    Destination even(200, 60);
    gif.FrameDraw(even.dib.hDC(), 1, 0, 0, 0.5f, false);  // 2.5 -> 2, 3.5 -> 4
    EXPECT_EQ(even.Changed(), (std::vector<int>{2, 4, 52, 9}));

    gif.SetFrameLeft(1, 120);  // at the screen's right edge: cropped to nothing
    Destination nothing(200, 60);
    gif.FrameDraw(nothing.dib.hDC(), 1, 0, 0, 1.0f, true);
    EXPECT_EQ(nothing.Changed(), std::vector<int>{});

    gif.SetFrameLeft(1, -90);  // negative positions are drawn, the destination clips
    gif.SetFrameTop(1, -4);
    Destination negative(200, 60);
    gif.FrameDraw(negative.dib.hDC(), 1, 0, 0, 1.0f, true);
    EXPECT_EQ(negative.Changed(), (std::vector<int>{0, 0, 10, 6}));
}

TEST(FrameRendering, MaskFollowsTheIndexItIsGiven) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(
        Screen(4, 1).GraphicControl(0, 0, 1).Image(0, 0, 4, 1, {0, 1, 2, 3}, 2).Trailer().Data()));
    gif.FrameMask(1, 2);  // another index than the stored one
    Destination to(4, 1);
    gif.FrameDraw(to.dib.hDC(), 1);
    EXPECT_EQ(to.Pixel(1, 0), kRed);
    EXPECT_EQ(to.Pixel(2, 0), kBackground);

    // Without transparency the colour table is the stored palette again, the mask empty.
    gif.SetFrameUseTransparentColor(1, false);
    gif.FrameMask(1, 2);
    Bytes table;
    gif.FrameDIBXOR(1)->GetPalette(table);
    EXPECT_EQ(Bytes(table.begin(), table.begin() + 16),
              Bytes(gif.lpLocalPalette(1), gif.lpLocalPalette(1) + 16));
    Destination opaque(4, 1);
    gif.FrameDraw(opaque.dib.hDC(), 1);
    EXPECT_EQ(opaque.Pixel(2, 0), kGreen);
    EXPECT_EQ(opaque.Pixel(1, 0), kRed);
}

TEST(FrameRendering, BadFrameNumbersAndBlankRecordsFailBeforeDrawing) {
    gif::GifImage gif;
    ASSERT_TRUE(
        gif.LoadFromStream(Screen(4, 1).Image(0, 0, 4, 1, {0, 1, 2, 3}, 2).Trailer().Data()));
    Destination to(4, 1);
    EXPECT_THROW(gif.FrameDraw(to.dib.hDC(), 2), std::out_of_range);
    EXPECT_THROW(gif.FrameMask(0, 0), std::out_of_range);
    gif.Destroy();
    EXPECT_THROW(gif.FrameDraw(to.dib.hDC(), 1), platform::MissingObjectError);
    EXPECT_THROW(gif.FrameMask(1, 0), platform::MissingObjectError);
    EXPECT_EQ(to.Changed(), std::vector<int>{});
}

// The mask made from the indices is what converting the colour bitmap through a table that
// is white at the transparent index and black elsewhere gives, bit for bit: for row widths
// of every width up to 100 (inside a byte, a 16- or 32-pixel step and past it), for padding
// bits that must be kept, for a mask whose table is not black-then-white, and with the
// widest instructions the processor has as well as the baseline ones.
TEST(FrameRendering, MaskFromIndicesMatchesTheColourConversionBitForBit) {
    std::mt19937 random(15);
    const std::uint8_t blackThenWhite[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    const std::uint8_t whiteThenBlack[8] = {255, 255, 255, 0, 0, 0, 0, 0};
    for (std::int32_t width = 1; width <= 100; ++width) {
        for (const std::uint8_t* table : {blackThenWhite, whiteThenBlack}) {
            const std::int32_t height = 3;
            const std::uint8_t t = static_cast<std::uint8_t>(random() % 4);
            dib::Dib colours;
            ASSERT_TRUE(colours.Create(width, height, 8));
            for (std::int32_t y = 0; y < height; ++y)
                for (std::int32_t x = 0; x < width; ++x)
                    colours.lpBits()[y * colours.BytesPerScanline() + x] =
                        static_cast<std::uint8_t>(random() % 4);
            dib::Dib expected, widest, baseline;
            for (dib::Dib* mask : {&expected, &widest, &baseline}) {
                ASSERT_TRUE(mask->Create(width, height, 1));
                mask->SetPalette(table, 8);
                std::fill_n(mask->lpBits(), mask->size(), 0xA5);  // padding to be kept
            }
            std::uint8_t conversion[1024] = {};
            std::fill_n(conversion + 4 * t, 3, 255);
            colours.SetPalette(conversion, sizeof conversion);
            expected.LoadBlt(colours.hDC(), 0, 0);

            gif::BuildFrameMask(colours, t, widest, height, gif::MaskInstructions::Widest);
            gif::BuildFrameMask(colours, t, baseline, height, gif::MaskInstructions::Baseline);
            const Bytes wanted(expected.lpBits(), expected.lpBits() + expected.size());
            EXPECT_EQ(Bytes(widest.lpBits(), widest.lpBits() + widest.size()), wanted)
                << "width " << width << ", transparent " << int{t};
            EXPECT_EQ(Bytes(baseline.lpBits(), baseline.lpBits() + baseline.size()), wanted)
                << "width " << width << ", transparent " << int{t} << ", baseline";
        }
    }
}

}  // namespace
