#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GiflibDecode.h"
#include "TempDir.h"
#include "dib/Dib.h"
#include "gif/GifImage.h"

namespace {

struct ImageShape {
    int frames;
    int maxWidth, maxHeight;
    bool global;
};

std::uint8_t& Pixel(gif::GifImage& gif, std::int16_t frame, std::int32_t x, std::int32_t y) {
    dib::Dib& colours = *gif.FrameDIBXOR(frame);
    return colours.lpBits()[y * colours.BytesPerScanline() + x];
}

int Entries(int bits) {
    return 1 << bits;
}

// A random image: palettes of 2 to 256 entries, interlaced frames and not, transparency,
// local tables, frames placed anywhere, content from noise to long runs.
void MakeImage(gif::GifImage& gif, const ImageShape& shape, std::mt19937& random) {
    gif.Destroy();
    const int globalBits = 1 + static_cast<int>(random() % 8);
    gif.SetGlobalPaletteExists(shape.global);
    if (shape.global) {
        gif.SetGlobalPaletteEntries(static_cast<std::int16_t>(Entries(globalBits)));
        gif.SetGlobalPaletteSorted(random() % 2 == 0);
        for (int i = 0; i < Entries(globalBits) * 4; ++i) {
            if (i % 4 != 3) gif.lpGlobalPalette()[i] = static_cast<std::uint8_t>(random());
        }
    }
    for (std::int16_t n = 1; n <= shape.frames; ++n) {
        const std::int16_t w = static_cast<std::int16_t>(1 + random() % shape.maxWidth);
        const std::int16_t h = static_cast<std::int16_t>(1 + random() % shape.maxHeight);
        gif.FrameInsert(n, w, h);
        int colours = shape.global ? Entries(globalBits) : 0;
        if (!shape.global || random() % 3 == 0) {
            const int bits = 1 + static_cast<int>(random() % 8);
            colours = Entries(bits);
            gif.SetLocalPaletteUsed(n, true);
            gif.SetLocalPaletteSorted(n, random() % 2 == 0);
            gif.SetLocalPaletteEntries(n, static_cast<std::int16_t>(colours));
            for (int i = 0; i < colours * 4; ++i) {
                if (i % 4 != 3) gif.lpLocalPalette(n)[i] = static_cast<std::uint8_t>(random());
            }
        }
        const int run = 1 + static_cast<int>(random() % 64);
        std::uint8_t value = 0;
        for (std::int32_t y = 0; y < h; ++y) {
            for (std::int32_t x = 0; x < w; ++x) {
                if ((x + y * w) % run == 0) value = static_cast<std::uint8_t>(random() % colours);
                Pixel(gif, n, x, y) = value;
            }
        }
        gif.SetFrameLeft(n, static_cast<std::int16_t>(random() % 100));
        gif.SetFrameTop(n, static_cast<std::int16_t>(random() % 100));
        gif.SetFrameInterlaced(n, random() % 2 == 0);
        gif.SetFrameDelay(n, static_cast<std::int16_t>(random() % 1000));
        gif.SetFrameDisposalMethod(n, static_cast<std::int32_t>(random() % 8));
        gif.SetFrameUserInput(n, random() % 4 == 0);
        if (random() % 2 == 0) {
            gif.SetFrameUseTransparentColor(n, true);
            gif.SetFrameTransparentColorIndex(n, static_cast<std::uint8_t>(random() % colours));
        }
    }
    gif.SetScreenWidth(static_cast<std::int16_t>(shape.maxWidth + 100));
    gif.SetScreenHeight(static_cast<std::int16_t>(shape.maxHeight + 100));
    gif.SetScreenBackgroundColorIndex(static_cast<std::uint8_t>(random()));
    gif.SetScreenPixelAspectRatio(1.0f);
    if (random() % 4 != 0) gif.SetAnimationLoops(static_cast<std::int16_t>(random()));
}

void ExpectSameImage(gif::GifImage& original, gif::GifImage& loaded) {
    EXPECT_EQ(loaded.ScreenWidth(), original.ScreenWidth());
    EXPECT_EQ(loaded.ScreenHeight(), original.ScreenHeight());
    EXPECT_EQ(loaded.ScreenBackgroundColorIndex(), original.ScreenBackgroundColorIndex());
    EXPECT_EQ(loaded.ScreenPixelAspectRatio(), original.ScreenPixelAspectRatio());
    EXPECT_EQ(loaded.AnimationLoops(), original.AnimationLoops());
    EXPECT_EQ(loaded.HasLoopingExtension(), original.HasLoopingExtension());
    EXPECT_EQ(loaded.GlobalPaletteExists(), original.GlobalPaletteExists());
    EXPECT_EQ(loaded.GlobalPaletteEntries(), original.GlobalPaletteEntries());
    EXPECT_EQ(loaded.GlobalPaletteSorted(), original.GlobalPaletteSorted());
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(loaded.GlobalPaletteRGBEntry(static_cast<std::uint8_t>(i)),
                  original.GlobalPaletteRGBEntry(static_cast<std::uint8_t>(i)))
            << "global entry " << i;
    }
    ASSERT_EQ(loaded.FramesCount(), original.FramesCount());
    for (std::int16_t n = 1; n <= original.FramesCount(); ++n) {
        SCOPED_TRACE(testing::Message() << "frame " << n);
        EXPECT_EQ(loaded.FrameLeft(n), original.FrameLeft(n));
        EXPECT_EQ(loaded.FrameTop(n), original.FrameTop(n));
        EXPECT_EQ(loaded.FrameInterlaced(n), original.FrameInterlaced(n));
        EXPECT_EQ(loaded.FrameDelay(n), original.FrameDelay(n));
        EXPECT_EQ(loaded.FrameDisposalMethod(n), original.FrameDisposalMethod(n));
        EXPECT_EQ(loaded.FrameUserInput(n), original.FrameUserInput(n));
        EXPECT_EQ(loaded.FrameUseTransparentColor(n), original.FrameUseTransparentColor(n));
        EXPECT_EQ(loaded.FrameTransparentColorIndex(n), original.FrameTransparentColorIndex(n));
        EXPECT_EQ(loaded.LocalPaletteUsed(n), original.LocalPaletteUsed(n));
        if (original.LocalPaletteUsed(n)) {
            EXPECT_EQ(loaded.LocalPaletteSorted(n), original.LocalPaletteSorted(n));
            EXPECT_EQ(loaded.LocalPaletteEntries(n), original.LocalPaletteEntries(n));
            for (int i = 0; i < original.LocalPaletteEntries(n); ++i) {
                ASSERT_EQ(loaded.LocalPaletteRGBEntry(n, static_cast<std::uint8_t>(i)),
                          original.LocalPaletteRGBEntry(n, static_cast<std::uint8_t>(i)))
                    << "local entry " << i;
            }
        }
        const dib::Dib& a = *original.FrameDIBXOR(n);
        const dib::Dib& b = *loaded.FrameDIBXOR(n);
        ASSERT_EQ(b.Width(), a.Width());
        ASSERT_EQ(b.Height(), a.Height());
        for (std::int32_t y = 0; y < a.Height(); ++y) {
            for (std::int32_t x = 0; x < a.Width(); ++x) {
                ASSERT_EQ(b.lpBits()[y * b.BytesPerScanline() + x],
                          a.lpBits()[y * a.BytesPerScanline() + x])
                    << "pixel " << x << ", " << y;
            }
        }
    }
}

// giflib, reading the same file, sees the same frames.
void ExpectGiflibAgrees(gif::GifImage& original, const std::string& file) {
    GiflibImage decoded;
    std::string error;
    ASSERT_TRUE(DecodeWithGiflib(TempDir::Read(file), decoded, error)) << error;
    EXPECT_EQ(decoded.screenWidth, original.ScreenWidth());
    EXPECT_EQ(decoded.screenHeight, original.ScreenHeight());
    EXPECT_EQ(decoded.loops, original.HasLoopingExtension()
                                 ? static_cast<std::uint16_t>(original.AnimationLoops())
                                 : -1);
    ASSERT_EQ(decoded.frames.size(), static_cast<size_t>(original.FramesCount()));
    for (std::int16_t n = 1; n <= original.FramesCount(); ++n) {
        SCOPED_TRACE(testing::Message() << "giflib, frame " << n);
        const GiflibFrame& f = decoded.frames[static_cast<size_t>(n - 1)];
        const dib::Dib& colours = *original.FrameDIBXOR(n);
        EXPECT_EQ(f.left, original.FrameLeft(n));
        EXPECT_EQ(f.top, original.FrameTop(n));
        ASSERT_EQ(f.width, colours.Width());
        ASSERT_EQ(f.height, colours.Height());
        EXPECT_EQ(f.delay, original.FrameDelay(n));
        EXPECT_EQ(f.disposal, original.FrameDisposalMethod(n));
        EXPECT_EQ(f.transparentIndex, original.FrameUseTransparentColor(n)
                                          ? original.FrameTransparentColorIndex(n)
                                          : -1);
        EXPECT_EQ(f.localColours > 0, original.LocalPaletteUsed(n));
        std::vector<std::uint8_t> expected;
        for (std::int32_t y = 0; y < f.height; ++y) {
            for (std::int32_t x = 0; x < f.width; ++x)
                expected.push_back(Pixel(original, n, x, y));
        }
        EXPECT_EQ(f.indices, expected);
    }
}

}  // namespace

TEST(GifRoundTrip, SaveThenLoadGivesBackEveryIndexAndFieldHereAndInGiflib) {
    const ImageShape shapes[] = {
        {1, 1, 1, true},     {1, 3, 4, true},     {3, 4, 4, false},   {8, 40, 12, true},
        {20, 64, 64, false}, {2, 700, 500, true}, {1, 2000, 3, true}, {1, 2, 1500, false},
    };
    std::mt19937 random(2024);
    TempDir dir;
    for (const ImageShape& shape : shapes) {
        for (int variant = 0; variant < 3; ++variant) {
            SCOPED_TRACE(testing::Message() << shape.frames << " frames up to " << shape.maxWidth
                                            << " x " << shape.maxHeight << ", variant " << variant);
            gif::GifImage original;
            MakeImage(original, shape, random);
            const std::string file = dir.File("round.gif");
            ASSERT_TRUE(original.Save(file));
            gif::GifImage loaded;
            ASSERT_TRUE(loaded.LoadFromFile(file));
            ExpectSameImage(original, loaded);
            ExpectGiflibAgrees(original, file);
        }
    }
}

TEST(GifRoundTrip, ALoadedFileSavesToTheSameBytes) {
    // What this writer wrote, read back and written again, is the same file.
    std::mt19937 random(7);
    TempDir dir;
    gif::GifImage original;
    MakeImage(original, ImageShape{5, 90, 70, true}, random);
    // A frame read without a table of its own takes the global table's sort flag, and the
    // writer puts that flag in its descriptor; with an unsorted global table nothing moves.
    original.SetGlobalPaletteSorted(false);
    ASSERT_TRUE(original.Save(dir.File("first.gif")));
    gif::GifImage loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("first.gif")));
    ASSERT_TRUE(loaded.Save(dir.File("second.gif")));
    EXPECT_EQ(TempDir::Read(dir.File("second.gif")), TempDir::Read(dir.File("first.gif")));
}

TEST(GifRoundTrip, ShortInterlacedFramesKeepTheirRows) {
    // Interlaced frames of 2 to 4 rows are stored in the four passes like taller ones, so
    // they read back the same here and in every other decoder.
    TempDir dir;
    for (std::int16_t height = 1; height <= 6; ++height) {
        gif::GifImage original;
        original.FrameInsert(1, 3, height);
        original.SetGlobalPaletteExists(true);
        original.SetGlobalPaletteEntries(8);
        original.SetFrameInterlaced(1, true);
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < 3; ++x)
                Pixel(original, 1, x, y) = static_cast<std::uint8_t>(y);
        }
        ASSERT_TRUE(original.Save(dir.File("short.gif")));
        gif::GifImage loaded;
        ASSERT_TRUE(loaded.LoadFromFile(dir.File("short.gif")));
        SCOPED_TRACE(testing::Message() << height << " rows");
        ExpectSameImage(original, loaded);
        ExpectGiflibAgrees(original, dir.File("short.gif"));
    }
}

TEST(GifRoundTrip, AResaveKeepsHowOftenTheAnimationPlays) {
    // Played once (no looping extension), a few times, the most a file can say, for ever
    // (0), and a still image: each comes back as it was, here and in giflib.
    struct Case {
        const char* what;
        std::int16_t frames;
        int loops;  // -1: no looping extension
    } cases[] = {{"once", 2, -1},
                 {"3 times", 2, 3},
                 {"65535 times", 2, 65535},
                 {"for ever", 2, 0},
                 {"still", 1, -1}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gif::GifImage original;
        for (std::int16_t n = 1; n <= c.frames; ++n)
            original.FrameInsert(n, 4, 4);
        original.SetGlobalPaletteExists(true);
        original.SetGlobalPaletteEntries(2);
        if (c.loops >= 0) original.SetAnimationLoops(static_cast<std::int16_t>(c.loops));
        ASSERT_TRUE(original.Save(dir.File("first.gif")));
        gif::GifImage loaded;
        ASSERT_TRUE(loaded.LoadFromFile(dir.File("first.gif")));
        ASSERT_TRUE(loaded.Save(dir.File("again.gif")));
        gif::GifImage again;
        ASSERT_TRUE(again.LoadFromFile(dir.File("again.gif")));
        EXPECT_EQ(again.HasLoopingExtension(), c.loops >= 0);
        EXPECT_EQ(static_cast<std::uint16_t>(again.AnimationLoops()), c.loops >= 0 ? c.loops : 0);
        ExpectGiflibAgrees(again, dir.File("again.gif"));
    }
}
