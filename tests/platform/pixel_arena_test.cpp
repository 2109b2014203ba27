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
// bitmap asked for zeroed is zero even in a block that held pixels, and blocks that a later
// load does not take are given back when it ends, so that they do not pile up.
TEST(PixelArena, BlocksKeptFromAnEarlierLoadComeBackCleanAndDoNotPileUp) {
    const auto makeDirty = [](std::int32_t side) {
        PixelArena arena;
        auto bitmap = Bitmap::Create(side, side, 8, true, PixelStart::Unset, &arena);
        ASSERT_NE(bitmap, nullptr);
        std::fill(bitmap->Bits(), bitmap->Bits() + bitmap->ByteSize(), std::uint8_t{0xA5});
    };
    {
        const platform::LargeBlockLoad load;
        makeDirty(1600);
    }
    const std::size_t kept = platform::KeptLargeBlocks();
    {
        const platform::LargeBlockLoad load;
        PixelArena arena;
        auto zeroed = Bitmap::Create(1600, 1600, 8, true, PixelStart::Zeroed, &arena);
        ASSERT_NE(zeroed, nullptr);
        EXPECT_TRUE(Holds(*zeroed, 0));
    }
    if (kept > 0) {
        EXPECT_EQ(platform::KeptLargeBlocks(), kept) << "the block was not taken back";
    }
    {
        const platform::LargeBlockLoad load;
        makeDirty(1800);  // another size: the block kept before is not taken
    }
    { const platform::LargeBlockLoad load; }
    EXPECT_EQ(platform::KeptLargeBlocks(), 0u);
}

}  // namespace
