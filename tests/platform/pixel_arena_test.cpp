#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/LargeBlock.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/PixelArena.h"

namespace {

using platform::gdi::Bitmap;
using platform::gdi::PixelArena;
using platform::gdi::PixelStart;

bool Holds(const Bitmap& bitmap, std::uint8_t value) {
    for (std::size_t i = 0; i < bitmap.ByteSize(); ++i)
        if (bitmap.Bits()[i] != value) return false;
    return true;
}

// The frames of an animation: carved bitmaps start zeroed, never share memory, and live on
// after the arena, released in any order (a caller may keep one frame of an image).
TEST(PixelArena, BitmapsStartZeroedKeepApartAndOutliveTheArena) {
    std::vector<std::unique_ptr<Bitmap>> bitmaps;
    {
        PixelArena arena;
        PixelArena smallPages(false);
        // Growing sizes make the arena take new blocks, the last past a large page.
        for (int i = 0; i < 24; ++i) {
            const int side = 8 + 70 * i;
            PixelArena& from = i % 3 == 0 ? smallPages : arena;
            if (i % 2 == 0) {
                ASSERT_TRUE(from.Reserve(Bitmap::ArenaFootprint(side * side * 2)));
            }
            bitmaps.push_back(Bitmap::Create(side, side, 8, true, PixelStart::Zeroed, &from));
            ASSERT_NE(bitmaps.back(), nullptr) << i;
            EXPECT_TRUE(Holds(*bitmaps.back(), 0)) << i;
            std::fill(bitmaps.back()->Bits(), bitmaps.back()->Bits() + bitmaps.back()->ByteSize(),
                      static_cast<std::uint8_t>(i + 1));
        }
        bitmaps.push_back(Bitmap::Create(1600, 1400, 8, true, PixelStart::Zeroed, &arena));
        ASSERT_NE(bitmaps.back(), nullptr);
        EXPECT_TRUE(Holds(*bitmaps.back(), 0));
        std::fill(bitmaps.back()->Bits(), bitmaps.back()->Bits() + bitmaps.back()->ByteSize(),
                  std::uint8_t{99});
    }
    for (std::size_t step = 0; !bitmaps.empty(); ++step) {
        for (std::size_t i = 0; i < bitmaps.size(); ++i) {
            const auto value = static_cast<std::uint8_t>(
                bitmaps[i]->Width() == 1600 ? 99 : (bitmaps[i]->Width() - 8) / 70 + 1);
            EXPECT_TRUE(Holds(*bitmaps[i], value)) << "bitmap " << i << " after " << step;
        }
        bitmaps.erase(bitmaps.begin() + static_cast<std::ptrdiff_t>((step * 7) % bitmaps.size()));
    }
}

// A process that loads again and again gets the large blocks of its earlier loads back: a
// bitmap asked for zeroed is zero in a block that held pixels. Blocks a later load cannot
// use are given back before it maps its own (they would add to what it holds), and blocks
// no load took are given back when the next load ends, so that they do not pile up.
TEST(PixelArena, BlocksKeptFromAnEarlierLoadComeBackCleanAndDoNotPileUp) {
    const bool keeps = platform::LargeBlocksAreKept();
    const auto fill = [](Bitmap& bitmap, std::uint8_t value) {
        std::fill(bitmap.Bits(), bitmap.Bits() + bitmap.ByteSize(), value);
    };
    // The first load's block may be one an earlier test left; the second's and third's are
    // the block of the load before, full of 0xA5.
    const PixelStart starts[] = {PixelStart::Unset, PixelStart::Zeroed, PixelStart::Unset};
    for (int load = 0; load < 3; ++load) {
        const platform::LargeBlockLoad span;
        PixelArena arena;
        auto bitmap = Bitmap::Create(1600, 1600, 8, true, starts[load], &arena);
        ASSERT_NE(bitmap, nullptr);
        if (starts[load] == PixelStart::Zeroed) {
            EXPECT_TRUE(Holds(*bitmap, 0)) << "a kept block came back with its pixels";
        } else if (load > 0 && keeps) {
            EXPECT_TRUE(Holds(*bitmap, 0xA5)) << "the kept block was not taken back";
        }
        EXPECT_EQ(platform::KeptLargeBlocks(), 0u);
        fill(*bitmap, 0xA5);
    }
    EXPECT_EQ(platform::KeptLargeBlocks(), keeps ? 1u : 0u);
    {
        const platform::LargeBlockLoad load;
        PixelArena arena;
        auto other = Bitmap::Create(1800, 1800, 8, true, PixelStart::Zeroed, &arena);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(platform::KeptLargeBlocks(), 0u) << "a block of another size is still held";
        EXPECT_TRUE(Holds(*other, 0));
    }
    { const platform::LargeBlockLoad load; }
    EXPECT_EQ(platform::KeptLargeBlocks(), 0u);
}

}  // namespace
