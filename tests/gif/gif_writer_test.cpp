#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FrameBytes.h"
#if defined(CORPOMETER_HAVE_GIFLIB)
#include "GiflibDecode.h"
#endif
#include "TempDir.h"
#include "dib/Dib.h"
#include "gif/GifImage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

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
Saved SaveAndRead(gif::GifImage& gif) {
    TempDir dir;
    const std::string file = dir.File("out.gif");
    const bool ok = gif.Save(file);
    return {ok, ok ? TempDir::Read(file) : Bytes{}};
}

void SetColour(std::uint8_t* palette, int entry, std::uint8_t red, std::uint8_t green,
               std::uint8_t blue) {
    palette[4 * entry] = blue;
    palette[4 * entry + 1] = green;
    palette[4 * entry + 2] = red;
}

// A one-frame image of w x h with a global table of `entries` colours.
void OneFrame(gif::GifImage& gif, std::int16_t w, std::int16_t h, std::int16_t entries) {
    gif.FrameInsert(1, w, h);
    gif.SetGlobalPaletteExists(true);
    gif.SetGlobalPaletteEntries(entries);
}

}  // namespace

TEST(GifWriter, AnEmptyImageIsFourteenBytes) {
    gif::GifImage gif;
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
    gif::GifImage fresh;
    EXPECT_FALSE(SaveAndRead(fresh).ok);
}

TEST(GifWriter, OnePixelFrameByteForByte) {
    gif::GifImage gif;
    gif.FrameInsert(1, 1, 1);
    gif.SetFrameDelay(1, 10);
    gif.SetLocalPaletteUsed(1, true);
    gif.SetLocalPaletteEntries(1, 2);
    SetColour(gif.lpLocalPalette(1), 0, 0x11, 0x22, 0x33);
    SetColour(gif.lpLocalPalette(1), 1, 0x44, 0x55, 0x66);
    const Bytes frame = Concat({{0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00},  // delay 10
                                {0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80},
                                {0x11, 0x22, 0x33, 0x44, 0x55, 0x66},  // local table
                                {0x02, 0x02, 0x44, 0x01, 0x00}});  // code size, data, terminator
    const Bytes header = Concat({Text("GIF89a"), {0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}});
    // Without a loop count the image has no looping extension, and none is written.
    const Saved still = SaveAndRead(gif);
    ASSERT_TRUE(still.ok);
    EXPECT_EQ(still.bytes, Concat({header, frame, {0x3B}}));

    gif.SetAnimationLoops(-1);  // 65535
    const Saved looping = SaveAndRead(gif);
    ASSERT_TRUE(looping.ok);
    EXPECT_EQ(looping.bytes,
              Concat({header, kLoopingExtensionHead, {0xFF, 0xFF, 0x00}, frame, {0x3B}}));
}

TEST(GifWriter, GlobalTableSizeAndScreenFlags) {
    const struct {
        std::int16_t entries;
        bool sorted;
        size_t tableBytes;
        std::uint8_t flags;
    } cases[] = {{5, false, 24, 0xA2},   {5, true, 24, 0xAA}, {0, false, 6, 0x80},
                 {1, false, 6, 0x80},    {2, false, 6, 0x80}, {3, false, 12, 0x91},
                 {256, false, 768, 0xF7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries");
        gif::GifImage gif;
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
            const std::uint8_t expected = i < copied ? static_cast<std::uint8_t>(i % 3 + 1) : 0;
            EXPECT_EQ(saved.bytes[13 + i], expected) << "table byte " << i;
        }
    }
    gif::GifImage tooMany;
    tooMany.Destroy();
    tooMany.SetGlobalPaletteExists(true);
    tooMany.SetGlobalPaletteEntries(257);
    EXPECT_FALSE(SaveAndRead(tooMany).ok);
}

TEST(GifWriter, GraphicControlFlagsAndTheValuesThatDoNotFit) {
    gif::GifImage gif;
    OneFrame(gif, 2, 2, 4);
    gif.SetFrameDisposalMethod(1, 2);
    gif.SetFrameUseTransparentColor(1, true);
    gif.SetFrameTransparentColorIndex(1, 3);
    gif.SetFrameDelay(1, 300);
    Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    const size_t control = 6 + 7 + 12;
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
    gif::GifImage gif;
    OneFrame(gif, 4, 9, 16);
    gif.SetFrameLeft(1, 300);
    gif.SetFrameTop(1, -2);
    gif.SetFrameInterlaced(1, true);
    gif.SetLocalPaletteSorted(1, true);
    Saved saved = SaveAndRead(gif);
    ASSERT_TRUE(saved.ok);
    const size_t image = 6 + 7 + 48 + 8;
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

TEST(GifWriter, IndicesPastThePaletteWidenTheCodesAndComeBackUnchanged) {
    // The reader keeps indices a file holds past its colour table; the writer gives each
    // back, here and in giflib. The table and its size field stay as the palette is.
    const struct {
        Bytes indices;
        int codeSize;
    } cases[] = {{{0, 1, 6, 1}, 3}, {{200, 0, 1, 1}, 8}, {{0, 255, 3, 4}, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code size " << c.codeSize);
        gif::GifImage gif;
        OneFrame(gif, 2, 2, 2);
        const dib::Dib& colours = *gif.FrameDIBXOR(1);
        for (size_t i = 0; i < 4; ++i)
            colours.lpBits()[i / 2 * colours.BytesPerScanline() + i % 2] = c.indices[i];
        const Saved saved = SaveAndRead(gif);
        ASSERT_TRUE(saved.ok);
        EXPECT_EQ(saved.bytes[10], 0x80);  // a 2-entry global table
        const size_t image = 6 + 7 + 6 + 8;
        EXPECT_EQ(saved.bytes[image + 10], c.codeSize);

        gif::GifImage loaded;
        ASSERT_TRUE(loaded.LoadFromStream(saved.bytes));
        EXPECT_EQ(Indices(*loaded.FrameDIBXOR(1)), c.indices);
#if defined(CORPOMETER_HAVE_GIFLIB)
        GiflibImage reference;
        std::string error;
        ASSERT_TRUE(DecodeWithGiflib(saved.bytes, reference, error)) << error;
        ASSERT_EQ(reference.frames.size(), 1u);
        EXPECT_EQ(reference.frames[0].indices, c.indices);
#endif
    }
}

TEST(GifWriter, FramesWithoutAnyColourTableOrWithAWrongBitmapDepth) {
    // No local table in an image without a global one: nothing names the colours.
    gif::GifImage gif;
    gif.FrameInsert(1, 2, 2);
    EXPECT_FALSE(SaveAndRead(gif).ok);

    // A colour bitmap that is not 8 bits a pixel gives a frame without data sub-blocks.
    gif::GifImage deep;
    OneFrame(deep, 2, 2, 2);
    deep.FrameDIBXOR(1)->Create(2, 2, 32);
    const Saved saved = SaveAndRead(deep);
    ASSERT_TRUE(saved.ok);
    const size_t image = 6 + 7 + 6 + 8;
    EXPECT_EQ(Bytes(saved.bytes.begin() + image + 10, saved.bytes.end()),
              (Bytes{0x02, 0x00, 0x3B}));

    // A frame whose bitmap could not be made (width 0) has an empty bitmap object: it is
    // written as a 0 x 0 frame without data, as the bitmap reports its size.
    gif::GifImage empty;
    OneFrame(empty, 0, 5, 2);
    const Saved nothing = SaveAndRead(empty);
    ASSERT_TRUE(nothing.ok);
    EXPECT_EQ(Bytes(nothing.bytes.begin() + image, nothing.bytes.end()),
              (Bytes{0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x02, 0x00, 0x3B}));

    // The descriptor holds 16-bit sizes.
    gif::GifImage wide;
    OneFrame(wide, 2, 2, 2);
    ASSERT_TRUE(wide.FrameDIBXOR(1)->Create(40000, 1, 8));
    EXPECT_FALSE(SaveAndRead(wide).ok);
}

TEST(GifWriter, ReplacesTheFileOnlyWhenTheNewOneIsComplete) {
    TempDir dir;
    const std::string file = dir.File("banner.gif");
    const Bytes previous = Text("previous content");
    TempDir::Write(file, previous);

    gif::GifImage broken;  // fails at the frame: no colour table anywhere
    broken.FrameInsert(1, 8, 8);
    EXPECT_FALSE(broken.Save(file));
    EXPECT_EQ(TempDir::Read(file), previous);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"banner.gif"});  // no leftovers

    gif::GifImage good;
    OneFrame(good, 8, 8, 2);
    ASSERT_TRUE(good.Save(file));
    const Bytes written = TempDir::Read(file);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 6), Text("GIF89a"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"banner.gif"});

    EXPECT_FALSE(good.Save(dir.File("missing-folder/banner.gif")));
    EXPECT_FALSE(good.Save(""));
}
