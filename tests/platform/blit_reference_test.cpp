// Every pair of pixel layouts and every raster operation, 1:1 and stretched, checked pixel
// by pixel against a plain model of what a blit means. The fast paths (whole-row copies,
// one-pass indexed-to-32-bit, repeated rows, byte-at-a-time 1-bit reads) must all agree
// with it, including at unaligned starts and row ends.

#include <gtest/gtest.h>

#include <random>

#include "GdiTestSupport.h"

using namespace gditest;

namespace {

struct Model {
    static Rgb32 ColourOf(const TestDib& s, int x, int y) {
        const std::uint32_t v = s.Get(x, y);
        const Bitmap& b = s.bitmap();
        switch (b.BitCount()) {
            case 16: {
                auto expand = [](std::uint32_t c) { return (c * 255 + 15) / 31; };
                return MakeRgb32(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
            }
            case 24:
                return v;
            case 32:
                return v & 0xFFFFFF;
            default: {
                const RGBQUAD& q = b.ColorTable()[v];
                return MakeRgb32(q.rgbRed, q.rgbGreen, q.rgbBlue);
            }
        }
    }
    static std::uint32_t Encode(const TestDib& s, Rgb32 c) {
        const Bitmap& b = s.bitmap();
        const int r = (c >> 16) & 255, g = (c >> 8) & 255, bl = c & 255;
        switch (b.BitCount()) {
            case 16:
                return ((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3);
            case 24:
            case 32:
                return c;
            default: {
                int best = 0, bestD = 1 << 30;
                for (int i = 0; i < b.ColorCount(); ++i) {
                    const RGBQUAD& q = b.ColorTable()[i];
                    const int d = (q.rgbRed - r) * (q.rgbRed - r) +
                                  (q.rgbGreen - g) * (q.rgbGreen - g) +
                                  (q.rgbBlue - bl) * (q.rgbBlue - bl);
                    if (d < bestD) bestD = d, best = i;
                }
                return static_cast<std::uint32_t>(best);
            }
        }
    }
    // Source pixel for destination offset d of a span: centre sampling.
    static int SourceOf(int d, int destLen, int srcLen) {
        return static_cast<int>((2LL * d + 1) * srcLen / (2LL * destLen));
    }
};

void Randomise(TestDib& s, std::mt19937& rng) {
    Bitmap& b = s.bitmap();
    for (std::size_t i = 0; i < b.ByteSize(); ++i)
        b.Bits()[i] = static_cast<std::uint8_t>(rng());
    for (int i = 0; i < b.ColorCount(); ++i) {
        // A few colours repeat, so that ties between entries happen.
        const std::uint32_t c = (rng() % 5 == 0) ? 0x404040u : rng();
        b.ColorTable()[i] = RGBQUAD{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                    static_cast<std::uint8_t>(c >> 16), 0};
    }
    if (b.BitCount() == 16)  // bit 15 is not part of a pixel's colour
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                s.Set(x, y, s.Get(x, y) & 0x7FFF);
}

struct Geometry {
    int dx, dy, dw, dh, sx, sy, sw, sh;
};

TEST(BlitModel, AllLayoutsOperationsAndScales) {
    std::mt19937 rng(20261207);
    const int depths[] = {1, 4, 8, 16, 24, 32};
    const std::uint32_t rops[] = {kSrcCopy, kSrcAnd, kSrcPaint};
    const Geometry shapes[] = {
        {1, 1, 33, 4, 3, 0, 33, 4},   // 1:1, unaligned in both
        {-2, 0, 40, 5, 0, 1, 40, 5},  // clipped on the left and by the source's bottom
        {0, 0, 41, 6, 5, 1, 19, 3},   // enlarged, rows repeated
        {2, 1, 17, 3, 0, 0, 37, 5},   // shrunk, columns and rows dropped
    };
    for (int sb : depths)
        for (int db : depths)
            for (std::uint32_t rop : rops)
                for (const Geometry& g : shapes) {
                    TestDib src(37, 5, sb, rng() % 2 == 0);
                    TestDib dst(41, 6, db, rng() % 2 == 0);
                    Randomise(src, rng);
                    Randomise(dst, rng);
                    if (sb == db && sb <= 8 && rng() % 2 == 0)  // same table: indices pass
                        std::copy(src.bitmap().ColorTable(), src.bitmap().ColorTable() + 256,
                                  dst.bitmap().ColorTable());
                    TestDib before(41, 6, db);
                    std::copy(dst.bits(), dst.bits() + dst.bitmap().ByteSize(), before.bits());
                    const bool dstTopDown = dst.bitmap().TopDown();

                    ASSERT_NE(StretchBlt(dst.dc(), g.dx, g.dy, g.dw, g.dh, src.dc(), g.sx, g.sy,
                                         g.sw, g.sh, rop),
                              0);
                    for (int y = 0; y < 6; ++y)
                        for (int x = 0; x < 41; ++x) {
                            // `before` holds dst's memory rows as they lie; image row
                            // y of a bottom-up bitmap is memory row 5 - y.
                            std::uint32_t expected = before.Get(x, dstTopDown ? y : 5 - y);
                            const int d = x - g.dx, e = y - g.dy;
                            if (d >= 0 && d < g.dw && e >= 0 && e < g.dh) {
                                const int sx = g.sx + Model::SourceOf(d, g.dw, g.sw);
                                const int sy = g.sy + Model::SourceOf(e, g.dh, g.sh);
                                if (sx >= 0 && sx < 37 && sy >= 0 && sy < 5) {
                                    const std::uint32_t v =
                                        (sb == 32 && db == 32)
                                            ? src.Get(sx, sy)
                                            : Model::Encode(dst, Model::ColourOf(src, sx, sy));
                                    expected = rop == kSrcCopy  ? v
                                               : rop == kSrcAnd ? expected & v
                                                                : expected | v;
                                    const std::uint32_t width = db == 32   ? 0xFFFFFFFFu
                                                                : db == 24 ? 0xFFFFFFu
                                                                : db == 16 ? 0xFFFFu
                                                                           : (1u << db) - 1;
                                    expected &= width;
                                }
                            }
                            ASSERT_EQ(dst.Get(x, y), expected)
                                << sb << "->" << db << " rop " << std::hex << rop << std::dec
                                << " shape " << (&g - shapes) << " at " << x << "," << y;
                        }
                }
}

}  // namespace
