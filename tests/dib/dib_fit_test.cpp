// GetBestFitInfo: aspect-preserving fit, single-precision ratios, halves to even.

#include <gtest/gtest.h>

#include "dib/Dib.h"

namespace {

struct Fit {
    std::int32_t x, y, w, h;
};

Fit FitOf(int width, int height, int boxW, int boxH, bool stretch) {
    dib::Dib d;
    EXPECT_TRUE(d.Create(width, height, 8));
    Fit f{-1, -1, -1, -1};
    d.GetBestFitInfo(boxW, boxH, f.x, f.y, f.w, f.h, stretch);
    return f;
}

void ExpectFit(const Fit& f, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    EXPECT_EQ(f.x, x);
    EXPECT_EQ(f.y, y);
    EXPECT_EQ(f.w, w);
    EXPECT_EQ(f.h, h);
}

TEST(DibBestFit, ShrinksOnlyUnlessStretchIsAsked) {
    ExpectFit(FitOf(200, 50, 100, 100, false), 0, 37, 100, 25);
    ExpectFit(FitOf(40, 20, 100, 100, false), 30, 40, 40, 20);
    ExpectFit(FitOf(40, 20, 100, 100, true), 0, 25, 100, 50);
    ExpectFit(FitOf(50, 200, 100, 100, false), 37, 0, 25, 100);  // the height limits
    ExpectFit(FitOf(20, 20, 10, 30, false), 0, 10, 10, 10);
    ExpectFit(FitOf(30, 30, 10, 10, false), 0, 0, 10, 10);  // equal ratios: height side
}

TEST(DibBestFit, RoundingIsHalvesToEvenOnSinglePrecisionRatios) {
    ExpectFit(FitOf(20, 5, 10, 10, false), 0, 4, 10, 2);  // 2.5 -> 2
    ExpectFit(FitOf(20, 7, 10, 10, false), 0, 3, 10, 4);  // 3.5 -> 4
    // 1 / 10 in single precision is a little above 0.1, so 5 x ratio is a little above
    // one half and rounds up; in double precision it would round to 0.
    ExpectFit(FitOf(10, 5, 1, 100, false), 0, 49, 1, 1);
}

TEST(DibBestFit, NothingWrittenWithoutABitmap) {
    dib::Dib empty;
    std::int32_t x = 7, y = 7, w = 7, h = 7;
    empty.GetBestFitInfo(100, 100, x, y, w, h, true);
    EXPECT_EQ(x + y + w + h, 28);
}

}  // namespace
