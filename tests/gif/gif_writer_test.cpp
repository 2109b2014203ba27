#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "GiflibDecode.h"
#include "TempDir.h"
#include "cGIF.h"
#include "dib/cDIB.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const char* text) {
    return Bytes(text, text + std::strlen(text));
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kLoopingExtensionHead = Concat({{0x21, 0xFF, 0x0B}, Text("NETSCAPE2.0"), {0x03, 0x01}});

// Saves into a fresh folder and returns the file's bytes; empty when Save fails.
struct Saved {
    bool ok;
    Bytes bytes;
};
Saved SaveAndRead(cGIF& gif) {
    TempDir dir;
    const std::string file = dir.File("out.gif");
    const bool ok = gif.Save(file);
    return {ok, ok ? TempDir::Read(file) : Bytes{}};
}

void SetColour(uint8_t* palette, int entry, uint8_t red, uint8_t green, uint8_t blue) {
    palette[4 * entry] = blue;
    palette[4 * entry + 1] = green;
    palette[4 * entry + 2] = red;
}

uint8_t& Pixel(cGIF& gif, int16_t frame, int32_t x, int32_t y) {
    cDIB& colours = *gif.FrameDIBXOR(frame);
    return colours.lpBits()[y * colours.BytesPerScanline() + x];
}

// A one-frame image of w x h with a global table of `entries` colours.
void OneFrame(cGIF& gif, int16_t w, int16_t h, int16_t entries) {
    gif.FrameInsert(1, w, h);
    gif.SetGlobalPaletteExists(true);
    gif.SetGlobalPaletteEntries(entries);
}

}  // namespace

TEST(GifWriter, AnEmptyImageIsFourteenBytes) {
    cGIF gif;
    gif.Destroy();
    const Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes, Concat({Text("GIF87a"), Bytes(7, 0), {0x3B}}));

    // Transparency asked for in the first frame slot makes it "89a", frames or not.
    gif.SetFrameUseTransparentColor(1, true);
    const Saved extended = SaveAndRead(gif);
    ASSERT_TRUE(extended.ok);
    EXPECT_EQ(Bytes(extended.bytes.begin(), extended.bytes.begin() + 6), Text("GIF89a"));

    // A new object has no frame slot at all.
    cGIF fresh;
    EXPECT_FALSE(SaveAndRead(fresh).ok);
}

TEST(GifWriter, OnePixelFrameByteForByte) {
    cGIF gif;
    gif.FrameInsert(1, 1, 1);
    gif.SetFrameDelay(1, 10);
    gif.SetLocalPaletteUsed(1, true);
    gif.SetLocalPaletteEntries(1, 2);
    SetColour(gif.lpLocalPalette(1), 0, 0x11, 0x22, 0x33);
    SetColour(gif.lpLocalPalette(1), 1, 0x44, 0x55, 0x66);
    const Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes,
              Concat({Text("GIF89a"),
                      {0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00},  // screen: 1 x 1, no table
                      kLoopingExtensionHead,
                      {0x00, 0x00, 0x00},                                // loop count 0
                      {0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00},  // delay 10
                      {0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80},
                      {0x11, 0x22, 0x33, 0x44, 0x55, 0x66},  // local table
                      {0x02, 0x02, 0x44, 0x01, 0x00},        // code size, data, terminator
                      {0x3B}}));
}

TEST(GifWriter, GlobalTableSizeAndScreenFlags) {
    const struct {
        int16_t entries;
        bool sorted;
        size_t tableBytes;
        uint8_t flags;
    } cases[] = {{5, false, 24, 0xA2},   {5, true, 24, 0xAA}, {0, false, 6, 0x80},
                 {1, false, 6, 0x80},    {2, false, 6, 0x80}, {3, false, 12, 0x91},
                 {256, false, 768, 0xF7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries");
        cGIF gif;
        gif.Destroy();
        gif.SetGlobalPaletteExists(true);
        gif.SetGlobalPaletteEntries(c.entries);
        gif.SetGlobalPaletteSorted(c.sorted);
        for (int i = 0; i < 256; ++i)
            SetColour(gif.lpGlobalPalette(), i, 1, 2, 3);
        const Saved saved = SaveAndRead(gif);
        ASSERT_TRUE(saved.ok);
        ASSERT_EQ(saved.bytes.size(), 6 + 7 + c.tableBytes + 1);
        EXPECT_EQ(saved.bytes[10], c.flags);
        // Entries past the count are written as zero whatever the palette holds.
        const size_t copied = static_cast<size_t>(c.entries) * 3;
        for (size_t i = 0; i < c.tableBytes; ++i) {
            const uint8_t expected = i < copied ? static_cast<uint8_t>(i % 3 + 1) : 0;
            EXPECT_EQ(saved.bytes[13 + i], expected) << "table byte " << i;
        }
    }
    cGIF tooMany;
    tooMany.Destroy();
    tooMany.SetGlobalPaletteExists(true);
    tooMany.SetGlobalPaletteEntries(257);
    EXPECT_FALSE(SaveAndRead(tooMany).ok);
}

TEST(GifWriter, GraphicControlFlagsAndTheValuesThatDoNotFit) {
    cGIF gif;
    OneFrame(gif, 2, 2, 4);
    gif.SetFrameDisposalMethod(1, 2);
    gif.SetFrameUseTransparentColor(1, true);
    gif.SetFrameTransparentColorIndex(1, 3);
    gif.SetFrameDelay(1, 300);
    Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    const size_t control = 6 + 7 + 12 + 19;
    EXPECT_EQ(Bytes(saved.bytes.begin() + control, saved.bytes.begin() + control + 8),
              (Bytes{0x21, 0xF9, 0x04, 0x09, 0x2C, 0x01, 0x03, 0x00}));

    // Without transparency the index is written as 0; user input is bit 1.
    gif.SetFrameUseTransparentColor(1, false);
    gif.SetFrameUserInput(1, true);
    saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes[control + 3], 0x0A);
    EXPECT_EQ(saved.bytes[control + 6], 0x00);

    // Disposal methods up to 63 spill into the reserved bits; 64 does not fit the byte.
    gif.SetFrameDisposalMethod(1, 63);
    saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes[control + 3], 0xFE);
    gif.SetFrameDisposalMethod(1, 64);
    EXPECT_FALSE(SaveAndRead(gif).ok);
}

TEST(GifWriter, ImageDescriptorFlagsAndTablesPerFrame) {
    cGIF gif;
    OneFrame(gif, 4, 9, 16);
    gif.SetFrameLeft(1, 300);
    gif.SetFrameTop(1, -2);
    gif.SetFrameInterlaced(1, true);
    gif.SetLocalPaletteSorted(1, true);
    Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    const size_t image = 6 + 7 + 48 + 19 + 8;
    EXPECT_EQ(Bytes(saved.bytes.begin() + image, saved.bytes.begin() + image + 11),
              (Bytes{0x2C, 0x2C, 0x01, 0xFE, 0xFF, 0x04, 0x00, 0x09, 0x00, 0x63, 0x04}));

    // A local table of 200 entries: 256 written, the size field 7, code size 8.
    gif.SetLocalPaletteUsed(1, true);
    gif.SetLocalPaletteEntries(1, 200);
    gif.SetFrameInterlaced(1, false);
    gif.SetLocalPaletteSorted(1, false);
    saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes[image + 9], 0x87);
    EXPECT_EQ(saved.bytes[image + 10 + 768], 8);
}

TEST(GifWriter, FramesWithoutAnyColourTableOrWithAWrongBitmapDepth) {
    // No local table in an image without a global one: nothing names the colours.
    cGIF gif;
    gif.FrameInsert(1, 2, 2);
    EXPECT_FALSE(SaveAndRead(gif).ok);

    // A colour bitmap that is not 8 bits a pixel gives a frame without data sub-blocks.
    cGIF deep;
    OneFrame(deep, 2, 2, 2);
    deep.FrameDIBXOR(1)->Create(2, 2, 32);
    const Saved saved = SaveAndRead(deep);
    ASSERT_TRUE(saved.ok);
    const size_t image = 6 + 7 + 6 + 19 + 8;
    EXPECT_EQ(Bytes(saved.bytes.begin() + image + 10, saved.bytes.end()),
              (Bytes{0x02, 0x00, 0x3B}));
}

TEST(GifWriter, ReplacesTheFileOnlyWhenTheNewOneIsComplete) {
    TempDir dir;
    const std::string file = dir.File("banner.gif");
    const Bytes previous = Text("previous content");
    TempDir::Write(file, previous);

    cGIF broken;  // fails at the frame: no colour table anywhere
    broken.FrameInsert(1, 8, 8);
    EXPECT_FALSE(broken.Save(file));
    EXPECT_EQ(TempDir::Read(file), previous);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"banner.gif"});  // no leftovers

    cGIF good;
    OneFrame(good, 8, 8, 2);
    ASSERT_TRUE(good.Save(file));
    const Bytes written = TempDir::Read(file);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 6), Text("GIF89a"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"banner.gif"});

    EXPECT_FALSE(good.Save(dir.File("missing-folder/banner.gif")));
    EXPECT_FALSE(good.Save(""));
}

TEST(GifWriter, GiflibReadsBackEveryFrameAndField) {
    std::mt19937 random(5);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        cGIF gif;
        gif.Destroy();
        const int16_t globalEntries = static_cast<int16_t>(2 + random() % 255);
        gif.SetGlobalPaletteExists(round % 3 != 2);
        gif.SetGlobalPaletteEntries(globalEntries);
        for (int i = 0; i < 256; ++i) {
            SetColour(gif.lpGlobalPalette(), i, uint8_t(random()), uint8_t(random()),
                      uint8_t(random()));
        }
        gif.SetAnimationLoops(static_cast<int16_t>(random() % 1000));
        const int frames = 1 + static_cast<int>(random() % 5);
        for (int16_t n = 1; n <= frames; ++n) {
            const int16_t w = static_cast<int16_t>(1 + random() % (round == 5 ? 700 : 90));
            const int16_t h = static_cast<int16_t>(1 + random() % (round == 5 ? 500 : 40));
            gif.FrameInsert(n, w, h);
            const bool local = !gif.GlobalPaletteExists() || random() % 2 == 0;
            int colours = globalEntries;
            if (local) {
                colours = static_cast<int>(2 + random() % 255);
                gif.SetLocalPaletteUsed(n, true);
                gif.SetLocalPaletteEntries(n, static_cast<int16_t>(colours));
                for (int i = 0; i < 256; ++i) {
                    SetColour(gif.lpLocalPalette(n), i, uint8_t(random()), uint8_t(random()),
                              uint8_t(random()));
                }
            }
            const int run = 1 + static_cast<int>(random() % 20);
            for (int32_t y = 0; y < h; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    Pixel(gif, n, x, y) = static_cast<uint8_t>((x / run + y * 7) % colours);
                }
            }
            gif.SetFrameLeft(n, static_cast<int16_t>(random() % 50));
            gif.SetFrameTop(n, static_cast<int16_t>(random() % 50));
            gif.SetFrameInterlaced(n, random() % 2 == 0);
            gif.SetFrameDelay(n, static_cast<int16_t>(random() % 500));
            gif.SetFrameDisposalMethod(n, static_cast<int32_t>(random() % 4));
            gif.SetFrameUseTransparentColor(n, random() % 2 == 0);
            gif.SetFrameTransparentColorIndex(n, static_cast<uint8_t>(random() % colours));
        }
        gif.SetScreenWidth(800);
        gif.SetScreenHeight(600);

        TempDir dir;
        ASSERT_TRUE(gif.Save(dir.File("round.gif")));
        GiflibImage decoded;
        std::string error;
        ASSERT_TRUE(DecodeWithGiflib(TempDir::Read(dir.File("round.gif")), decoded, error))
            << error;
        EXPECT_EQ(decoded.screenWidth, 800);
        EXPECT_EQ(decoded.screenHeight, 600);
        ASSERT_EQ(decoded.frames.size(), static_cast<size_t>(frames));
        for (int16_t n = 1; n <= frames; ++n) {
            SCOPED_TRACE(testing::Message() << "frame " << n);
            const GiflibFrame& f = decoded.frames[static_cast<size_t>(n - 1)];
            const cDIB& colours = *gif.FrameDIBXOR(n);
            EXPECT_EQ(f.left, gif.FrameLeft(n));
            EXPECT_EQ(f.top, gif.FrameTop(n));
            ASSERT_EQ(f.width, colours.Width());
            ASSERT_EQ(f.height, colours.Height());
            EXPECT_EQ(f.interlaced, gif.FrameInterlaced(n));
            EXPECT_EQ(f.delay, gif.FrameDelay(n));
            EXPECT_EQ(f.disposal, gif.FrameDisposalMethod(n));
            EXPECT_EQ(f.transparentIndex,
                      gif.FrameUseTransparentColor(n) ? gif.FrameTransparentColorIndex(n) : -1);
            if (gif.LocalPaletteUsed(n)) {
                ASSERT_GE(f.localTable.size(), 3u * gif.LocalPaletteEntries(n));
                for (int i = 0; i < gif.LocalPaletteEntries(n); ++i) {
                    const size_t at = static_cast<size_t>(i) * 3;
                    const int32_t rgb = f.localTable[at] + 256 * f.localTable[at + 1] +
                                        65536 * f.localTable[at + 2];
                    ASSERT_EQ(rgb, gif.LocalPaletteRGBEntry(n, static_cast<uint8_t>(i)))
                        << "entry " << i;
                }
            } else {
                EXPECT_EQ(f.localColours, 0);
            }
            Bytes expected;
            for (int32_t y = 0; y < f.height; ++y) {
                for (int32_t x = 0; x < f.width; ++x)
                    expected.push_back(Pixel(gif, n, x, y));
            }
            EXPECT_EQ(f.indices, expected);
        }
    }
}
