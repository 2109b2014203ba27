#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <cstdio>
#include <random>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FrameBytes.h"
#include "GifBuilder.h"
#include "LzwTestStream.h"
#include "gif/GifImage.h"
#include "gif/GifReader.h"
#include "tools/corpogif/FrameDigests.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes MaskBits(const dib::Dib& mask) {
    Bytes out;
    for (std::int32_t y = 0; y < mask.Height(); ++y)
        for (std::int32_t x = 0; x < mask.Width(); ++x)
            out.push_back((mask.lpBits()[y * mask.BytesPerScanline() + x / 8] >> (7 - x % 8)) & 1);
    return out;
}

// A 4-entry global table: black, red, green, blue.
GifBuilder FourColourScreen(int width = 4, int height = 2) {
    GifBuilder gif;
    gif.Screen(width, height, 1).ColourTable({0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    return gif;
}

const Bytes kPixels = {0, 1, 2, 3, 3, 2, 1, 0};

TEST(GifReader, HeaderAndScreenOnlyLoadsAnEmptyImage) {
    const Bytes stream = GifBuilder("GIF89a").Screen(300, 200).Data();
    ASSERT_EQ(stream.size(), 13u);
    gif::GifImage gif;
    EXPECT_TRUE(gif.LoadFromStream(stream));
    EXPECT_EQ(gif.FramesCount(), 0);
    EXPECT_EQ(gif.ScreenWidth(), 300);
    EXPECT_EQ(gif.ScreenHeight(), 200);
    EXPECT_FALSE(gif.GlobalPaletteExists());
}

TEST(GifReader, OnlyExactHeadersAreAcceptedAndARefusalEmptiesTheModel) {
    const Bytes good = FourColourScreen().Image(0, 0, 4, 2, kPixels, 2).Trailer().Data();
    const std::pair<const char*, gif::GifLoadStatus> refusals[] = {
        {"GIF88a", gif::GifLoadStatus::UnknownVersion},
        {"gif89a", gif::GifLoadStatus::NotAGif},
        {"GIF89A", gif::GifLoadStatus::UnknownVersion},
        {"GIF87b", gif::GifLoadStatus::UnknownVersion}};
    for (const auto& [header, why] : refusals) {
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(good));
        EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::Loaded);
        Bytes bad = good;
        std::copy(header, header + 6, bad.begin());
        EXPECT_FALSE(gif.LoadFromStream(bad)) << header;
        EXPECT_EQ(gif.LoadStatus(), why) << header;
        EXPECT_EQ(gif.FramesCount(), 0);
        EXPECT_EQ(gif.ScreenWidth(), 0);
        EXPECT_FALSE(gif.GlobalPaletteExists());
    }
    gif::GifImage old;
    Bytes v87 = good;
    v87[4] = '7';
    EXPECT_TRUE(old.LoadFromStream(v87));
}

TEST(GifReader, StreamsShorterThanTheHeaderNeverLoad) {
    gif::GifImage gif;
    // The signature or the version would begin past the end: the caller's error.
    EXPECT_THROW(gif.LoadFromStream(Bytes{}), std::out_of_range);
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::EmptyStream);
    EXPECT_THROW(gif.LoadFromStream(Bytes{'G', 'I', 'F'}), std::out_of_range);
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::CutInHeader);
    for (const std::string text : {"G", "GI", "GIF8", "GIF89", "XYZ", "GIF9"}) {
        EXPECT_FALSE(gif.LoadFromStream(Bytes(text.begin(), text.end()))) << text;
        const gif::GifLoadStatus why = text == "XYZ"    ? gif::GifLoadStatus::NotAGif
                                       : text == "GIF9" ? gif::GifLoadStatus::UnknownVersion
                                                        : gif::GifLoadStatus::CutInHeader;
        EXPECT_EQ(gif.LoadStatus(), why) << text;
    }

    const std::string path = ::testing::TempDir() + "corpometer_empty.gif";
    std::ofstream(path, std::ios::binary).close();
    EXPECT_FALSE(gif.LoadFromFile(path));
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::EmptyStream);
    std::ofstream(path, std::ios::binary) << "GIF";
    EXPECT_FALSE(gif.LoadFromFile(path));
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::CutInHeader);
    std::remove(path.c_str());
    EXPECT_FALSE(gif.LoadFromFile(path));
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::Unreadable);
    EXPECT_FALSE(gif.LoadFromFile(::testing::TempDir()));  // a folder
    EXPECT_EQ(gif.LoadStatus(), gif::GifLoadStatus::Unreadable);
}

TEST(GifReader, ColourTablesLandInPaletteForm) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Data()));
    EXPECT_TRUE(gif.GlobalPaletteExists());
    EXPECT_EQ(gif.GlobalPaletteEntries(), 4);
    const std::uint8_t* palette = gif.lpGlobalPalette();
    EXPECT_EQ(Bytes(palette, palette + 20),
              (Bytes{0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(gif.GlobalPaletteRGBEntry(1), 255);

    // A table cut by the end of the stream keeps its missing entries black.
    const Bytes cut = GifBuilder().Screen(1, 1, 2).ColourTable({9, 8, 7, 6, 5}).Data();
    ASSERT_TRUE(gif.LoadFromStream(cut));
    EXPECT_EQ(gif.GlobalPaletteEntries(), 8);
    EXPECT_EQ(Bytes(gif.lpGlobalPalette(), gif.lpGlobalPalette() + 12),
              (Bytes{7, 8, 9, 0, 0, 5, 6, 0, 0, 0, 0, 0}));
}

TEST(GifReader, LoopCountComesFromTheLastLoopingExtension) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Trailer().Data()));
    EXPECT_FALSE(gif.HasLoopingExtension());
    EXPECT_EQ(gif.AnimationLoops(), 0);
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Loop(5).Trailer().Data()));
    EXPECT_TRUE(gif.HasLoopingExtension());
    EXPECT_EQ(gif.AnimationLoops(), 5);
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Loop(7).Loop(65535).Trailer().Data()));
    EXPECT_EQ(static_cast<std::uint16_t>(gif.AnimationLoops()), 65535);  // kept to the last bit
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Loop(2).Loop(0).Trailer().Data()));
    EXPECT_TRUE(gif.HasLoopingExtension());
    EXPECT_EQ(gif.AnimationLoops(), 0);  // for ever
    ASSERT_TRUE(gif.LoadFromStream(
        FourColourScreen().Application("ANIMEXTS1.0", {{1, 9, 0}}).Trailer().Data()));
    EXPECT_EQ(gif.AnimationLoops(), 9);
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Application("NETSCAPE2.0", {{1}}).Data()));
    EXPECT_FALSE(gif.HasLoopingExtension());  // too short a payload sets nothing
    gif.Destroy();
    EXPECT_FALSE(gif.HasLoopingExtension());
}

TEST(GifReader, ExtensionsWeDoNotUseArePassedOver) {
    // Payloads full of block bytes must not be taken for blocks.
    const Bytes tricky = {0x2C, 0x21, 0x3B, 0xF9, 0x00, 0x2C};
    const Bytes stream = FourColourScreen()
                             .Extension(0xFE, {tricky, tricky})           // comment
                             .Extension(0x01, {Bytes(12, 0x2C), tricky})  // plain text
                             .Extension(0x2A, {tricky})                   // unknown label
                             .Application("XMP DataXMP", {tricky, Bytes(200, 0x3B)})
                             .Extension(0xFE, {})             // no data
                             .Application("NETSCAPE2.0", {})  // no data
                             .Image(0, 0, 4, 2, kPixels, 2)
                             .Trailer()
                             .Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    ASSERT_EQ(gif.FramesCount(), 1);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), kPixels);
}

// A graphic control or application block of an unusual size is read by its size bytes, as
// every chain is: the frames after it are kept whole, and the load is complete.
TEST(GifReader, ExtensionsOfUnusualSizesAreReadByTheirSizeBytes) {
    const auto load = [](const GifBuilder& extension) {
        const Bytes stream = FourColourScreen()
                                 .Bytes(extension.Data())
                                 .Image(0, 0, 4, 2, kPixels, 2)
                                 .Image(0, 0, 4, 2, {3, 3, 3, 3, 0, 0, 0, 0}, 2)
                                 .Trailer()
                                 .Data();
        auto gif = std::make_unique<gif::GifImage>();
        EXPECT_TRUE(gif->LoadFromStream(stream));
        EXPECT_EQ(gif->LoadDamage(), "");
        EXPECT_EQ(gif->FramesCount(), 2);
        if (gif->FramesCount() == 2) {
            EXPECT_EQ(Indices(*gif->FrameDIBXOR(1)), kPixels);
            EXPECT_EQ(Indices(*gif->FrameDIBXOR(2)), (Bytes{3, 3, 3, 3, 0, 0, 0, 0}));
        }
        return gif;
    };
    // Too short for the fields: passed over.
    auto gif = load(GifBuilder("").Extension(0xF9, {{0x01, 0x05}}));
    EXPECT_FALSE(gif->FrameUseTransparentColor(1));
    load(GifBuilder("").Extension(0xFF, {{'N', 'E', 'T'}}));
    load(GifBuilder("").Extension(0xFF, {}));
    EXPECT_FALSE(load(GifBuilder("").Extension(0xFF, {{'N', 'E', 'T'}, {1, 5, 0}}))
                     ->HasLoopingExtension());
    // Longer than the fields: its first four bytes are the fields, the rest passed over.
    gif = load(GifBuilder("").Extension(0xF9, {{0x09, 7, 0, 3, 0x2C, 0x3B}, {0x21}}));
    EXPECT_TRUE(gif->FrameUseTransparentColor(1));
    EXPECT_EQ(gif->FrameTransparentColorIndex(1), 3);
    EXPECT_EQ(gif->FrameDelay(1), 7);
    EXPECT_EQ(gif->FrameDisposalMethod(1), 2);
    EXPECT_EQ(MaskBits(*gif->FrameDIBAND(1)), (Bytes{0, 0, 0, 1, 1, 0, 0, 0}));
}

TEST(GifReader, GraphicControlAppliesToTheNextImageAndTheLastOneWins) {
    const Bytes stream = FourColourScreen()
                             .Image(0, 0, 4, 2, kPixels, 2)
                             .GraphicControl(1, 10, 2)
                             .Extension(0xFE, {{'x'}})
                             .GraphicControl(3, 25, -1, true)
                             .Image(1, 0, 3, 2, {1, 1, 1, 2, 2, 2}, 2)
                             .Trailer()
                             .Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    ASSERT_EQ(gif.FramesCount(), 2);
    EXPECT_EQ(gif.FrameDelay(1), 0);
    EXPECT_EQ(gif.FrameDisposalMethod(1), 0);
    EXPECT_FALSE(gif.FrameUseTransparentColor(1));
    EXPECT_EQ(gif.FrameDelay(2), 25);
    EXPECT_EQ(gif.FrameDisposalMethod(2), 3);
    EXPECT_TRUE(gif.FrameUserInput(2));
    // The second extension has no transparency; the first one's index stays in the field.
    EXPECT_FALSE(gif.FrameUseTransparentColor(2));
    EXPECT_EQ(gif.FrameTransparentColorIndex(2), 2);
}

TEST(GifReader, TransparentColourIsBlackInTheBitmapAndWhiteInTheMask) {
    const Bytes stream =
        FourColourScreen().GraphicControl(0, 0, 2).Image(0, 0, 4, 2, kPixels, 2).Trailer().Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    EXPECT_EQ(gif.LocalPaletteRGBEntry(1, 2), 0x00FF00);  // the file's green
    Bytes table;
    gif.FrameDIBXOR(1)->GetPalette(table);
    EXPECT_EQ(Bytes(table.begin() + 4, table.begin() + 16),
              (Bytes{0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0}));
    EXPECT_EQ(MaskBits(*gif.FrameDIBAND(1)), (Bytes{0, 0, 1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), kPixels);

    // Without transparency the mask is all opaque.
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Image(0, 0, 4, 2, kPixels, 2).Data()));
    EXPECT_EQ(MaskBits(*gif.FrameDIBAND(1)), Bytes(8, 0));
}

TEST(GifReader, FramePalettesComeFromTheLocalOrTheGlobalTable) {
    const Bytes stream = GifBuilder()
                             .Screen(4, 2, 1, 0, 0, true)
                             .ColourTable({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                             .Image(0, 0, 4, 2, kPixels, 2)
                             .ImageDescriptor(0, 0, 4, 2, 0)
                             .ColourTable({200, 100, 50, 0, 0, 0})
                             .ImageData(2, LzwEncode(Bytes(8, 0), 2))
                             .Trailer()
                             .Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    EXPECT_FALSE(gif.LocalPaletteUsed(1));
    EXPECT_EQ(gif.LocalPaletteEntries(1), 4);
    EXPECT_TRUE(gif.LocalPaletteSorted(1));
    EXPECT_EQ(gif.LocalPaletteRGBEntry(1, 3), gif.GlobalPaletteRGBEntry(3));
    EXPECT_TRUE(gif.LocalPaletteUsed(2));
    EXPECT_EQ(gif.LocalPaletteEntries(2), 2);
    EXPECT_FALSE(gif.LocalPaletteSorted(2));
    EXPECT_EQ(gif.LocalPaletteRGBEntry(2, 0), 200 + 100 * 256 + 50 * 65536);

    // No table at all: a black palette with no entries.
    ASSERT_TRUE(gif.LoadFromStream(GifBuilder().Screen(4, 2).Image(0, 0, 4, 2, kPixels, 2).Data()));
    EXPECT_EQ(gif.LocalPaletteEntries(1), 0);
    const std::uint8_t* palette = gif.lpLocalPalette(1);
    EXPECT_EQ(Bytes(palette, palette + 1024), Bytes(1024, 0));
}

TEST(GifReader, DamagedStreamsKeepWhatCanBeRead) {
    const Bytes whole = FourColourScreen(40, 30)
                            .Image(0, 0, 40, 30, Bytes(1200, 3), 2)
                            .Image(0, 0, 4, 2, kPixels, 2)
                            .Trailer()
                            .Data();
    gif::GifImage gif;
    // No trailer: every frame, result true.
    ASSERT_TRUE(gif.LoadFromStream(Bytes(whole.begin(), whole.end() - 1)));
    EXPECT_EQ(gif.FramesCount(), 2);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(2)), kPixels);

    // Cut inside the first frame's data: full size, a decoded prefix, zeros after it.
    for (size_t cut : {40u, 45u, 60u}) {
        ASSERT_TRUE(gif.LoadFromStream(Bytes(whole.begin(), whole.begin() + cut)));
        ASSERT_EQ(gif.FramesCount(), 1);
        const Bytes pixels = Indices(*gif.FrameDIBXOR(1));
        ASSERT_EQ(pixels.size(), 1200u);
        size_t decoded = 0;
        while (decoded < pixels.size() && pixels[decoded] == 3)
            ++decoded;
        EXPECT_GT(decoded, 0u);
        EXPECT_LT(decoded, 1200u);
        EXPECT_EQ(Bytes(pixels.begin() + decoded, pixels.end()), Bytes(1200 - decoded, 0));
    }

    // Stray bytes between blocks are skipped one at a time.
    const Bytes stray = FourColourScreen()
                            .Bytes({0x00, 0x99, 0x01})
                            .Image(0, 0, 4, 2, kPixels, 2)
                            .Bytes({0xFF})
                            .Trailer()
                            .Data();
    ASSERT_TRUE(gif.LoadFromStream(stray));
    EXPECT_EQ(gif.FramesCount(), 1);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), kPixels);

    // A descriptor cut short still counts as a frame, with empty bitmaps.
    ASSERT_TRUE(gif.LoadFromStream(FourColourScreen().Bytes({0x2C, 0, 0, 0}).Data()));
    EXPECT_EQ(gif.FramesCount(), 1);
    EXPECT_EQ(gif.FrameDIBXOR(1)->hDIB(), nullptr);
}

// The load tells a complete stream from one that is not, and names the first damage in
// stream order: frames are counted as the stream has them, even past a graphic control
// whose block size is not 4, and a frame too wide for a bitmap is still checked.
TEST(GifReader, TheLoadNamesTheFirstDamageOfAnIncompleteStream) {
    const Bytes eight = LzwEncode(kPixels, 2);
    const auto damage = [](const Bytes& stream) {
        gif::GifImage gif;
        EXPECT_TRUE(gif.LoadFromStream(stream));
        return gif.LoadDamage();
    };
    const Bytes whole = FourColourScreen().Image(0, 0, 4, 2, kPixels, 2).Trailer().Data();
    EXPECT_EQ(damage(whole), "");
    EXPECT_EQ(damage(Bytes(whole.begin(), whole.end() - 3)),
              "the stream ends inside frame 1's image data");
    EXPECT_EQ(damage(FourColourScreen()
                         .Extension(0xF9, {{0, 0, 0}})
                         .Image(0, 0, 4, 2, kPixels, 2)
                         .ImageDescriptor(0, 0, 4, 4)
                         .ImageData(2, eight)
                         .Bytes({0x99})
                         .Data()),
              "frame 2's image data ends after 8 of its 16 pixels");
    // A frame past what a bitmap may be, with one code of data; one whose data is whole but
    // wider than a bitmap may be: both lost.
    EXPECT_EQ(damage(FourColourScreen(4, 2)
                         .ImageDescriptor(0, 0, 20000, 20000)
                         .ImageData(2, LzwEncode({1}, 2))
                         .Trailer()
                         .Data()),
              "frame 1's image data ends after 1 of its 400000000 pixels (it has no bitmap: "
              "larger than a bitmap may be)");
    EXPECT_EQ(damage(FourColourScreen(4, 2)
                         .Image(0, 0, 4, 2, kPixels, 2)
                         .Image(0, 0, 40000, 1, Bytes(40000, 1), 2)
                         .Trailer()
                         .Data()),
              "frame 2 (40000 x 1) has no bitmap: wider than 32767 pixels");
    EXPECT_EQ(damage(FourColourScreen().ImageDescriptor(0, 0, 40000, 2).ImageData(2, eight).Data()),
              "frame 1's image data ends after 8 of its 80000 pixels (it has no bitmap: wider than "
              "32767 pixels)");
    EXPECT_EQ(
        damage(FourColourScreen().Image(0, 0, 4, 2, kPixels, 2).Bytes({0x99}).Trailer().Data()),
        "a byte that begins no block (0x99) at offset 43, after frame 1");
}

// Frame bitmaps are made without zeroing: the padding at each row's end, which decoding
// never writes, must still read as zero, in whole frames and in frames cut short.
TEST(GifReader, RowPaddingOfFrameBitmapsIsZero) {
    const Bytes rows = {1, 2, 3, 3, 2, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    const Bytes whole = FourColourScreen(3, 5).Image(0, 0, 3, 5, rows, 2, true).Data();
    gif::GifImage gif;
    for (size_t size : {whole.size(), whole.size() - 4}) {
        ASSERT_TRUE(gif.LoadFromStream(Bytes(whole.begin(), whole.begin() + size)));
        const dib::Dib& frame = *gif.FrameDIBXOR(1);
        ASSERT_EQ(frame.BytesPerScanline(), 4);
        for (std::int32_t y = 0; y < 5; ++y)
            EXPECT_EQ(frame.lpBits()[4 * y + 3], 0) << "row " << y;
    }
}

TEST(GifReader, TrailingGraphicControlMakesOneRecordMoreThanTheFrameCount) {
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(
        FourColourScreen().Image(0, 0, 4, 2, kPixels, 2).GraphicControl(2, 77).Trailer().Data()));
    EXPECT_EQ(gif.FramesCount(), 1);
    EXPECT_EQ(gif.FrameDelay(2), 77);
    EXPECT_EQ(gif.FrameDIBXOR(2), nullptr);
    EXPECT_THROW(gif.FrameDelay(3), std::out_of_range);
}

TEST(GifReader, InterlacedFramesOfAnyHeightUseTheFourPasses) {
    // Rows 0, 2, 1 of a 3-row frame are stored in that order, as every encoder writes them.
    for (int height : {1, 2, 3, 4, 5, 9, 17}) {
        Bytes rows;
        for (int y = 0; y < height; ++y)
            rows.insert(rows.end(), {std::uint8_t(y % 4), std::uint8_t(3 - y % 4)});
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(
            FourColourScreen(2, height).Image(0, 0, 2, height, rows, 2, true).Data()));
        EXPECT_TRUE(gif.FrameInterlaced(1));
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), rows) << height << " rows";
    }
}

TEST(GifReader, SixteenBitFieldsAreSigned) {
    const Bytes stream = GifBuilder()
                             .Screen(40000, 2)
                             .ImageDescriptor(65535, 32768, 40000, 1)
                             .ImageData(2, LzwEncode({1}, 2))
                             .Image(0, 0, 4, 2, kPixels, 2)
                             .Trailer()
                             .Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    EXPECT_EQ(gif.ScreenWidth(), 40000 - 65536);
    EXPECT_EQ(gif.FramesCount(), 2);  // the negative-width frame is still counted
    EXPECT_EQ(gif.FrameLeft(1), -1);
    EXPECT_EQ(gif.FrameTop(1), -32768);
    EXPECT_EQ(gif.FrameWidth(1), 40000);  // as stored, though no bitmap could be made at it
    EXPECT_EQ(gif.FrameHeight(1), 1);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(2)), kPixels);
}

TEST(GifReader, FrameBitmapsOfOneLoadShareAPixelMemoryBudget) {
    // Each 100 x 100 frame takes 10000 bytes of colour and 1600 of mask.
    GifBuilder builder = FourColourScreen(100, 100);
    for (int f = 0; f < 5; ++f)
        builder.Image(0, 0, 100, 100, Bytes(10000, 1), 2);
    const Bytes stream = builder.Trailer().Data();
    gif::GifImage gif;
    gif::GifReader reader(3 * 11600);
    ASSERT_EQ(reader.Read(stream.data(), stream.size(), gif.Model()), gif::GifLoadStatus::Loaded);
    EXPECT_EQ(reader.Damage(),
              "frame 4 (100 x 100) has no bitmap: beyond the pixel memory a load may take");
    ASSERT_EQ(gif.FramesCount(), 5);
    for (std::int16_t n = 1; n <= 3; ++n)
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(n)), Bytes(10000, 1));
    for (std::int16_t n = 4; n <= 5; ++n) {
        ASSERT_TRUE(gif.FrameDIBXOR(n));  // objects that hold no bitmap
        EXPECT_EQ(gif.FrameDIBXOR(n)->hDIB(), nullptr);
        EXPECT_EQ(gif.FrameDIBAND(n)->hDIB(), nullptr);
    }
    static_assert(gif::GifReader::kFrameBitmapBudgetBytes == std::uint64_t{1} << 30,
                  "1 GiB of pixels");
}

TEST(GifReader, ImagesBeyondTheLargestFrameCountAreNotCounted) {
    GifBuilder builder = FourColourScreen(1, 1);
    const Bytes frame = GifBuilder("").Image(0, 0, 1, 1, {2}, 2).Data();
    for (int f = 0; f < 32769; ++f)
        builder.Bytes(frame);
    const Bytes stream = builder.Trailer().Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    EXPECT_EQ(gif.FramesCount(), 32767);
    EXPECT_EQ(gif.LoadDamage(), "frame 32768 is past the 32767 frames a load keeps");
    gif::FrameNumber checked = 0;
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n)
        checked += Indices(*gif.FrameDIBXOR(n)) == Bytes{2};
    EXPECT_EQ(checked, 32767);
    // A caller may keep fewer; the images past them are passed over whole.
    gif::GifLoadLimits limits;
    limits.frames = 3;
    gif.SetLoadLimits(limits);
    ASSERT_TRUE(gif.LoadFromStream(stream));
    EXPECT_EQ(gif.FramesCount(), 3);
    EXPECT_EQ(gif.LoadDamage(), "frame 4 is past the 3 frames a load keeps");
}

// A frame whose data falls short: the pixels it does not reach are index 0, and masked as
// index 0 is (opaque, or transparent where 0 is the transparent index), in memory new to the
// process and in memory an earlier load of the same size left full of other indices.
TEST(GifReader, PixelsTheDataDoesNotReachAreIndexZeroOnFreshAndReusedMemory) {
    constexpr int kSide = 1600;  // large enough for blocks that are kept between loads
    const Bytes full(kSide * kSide, 3);
    for (const bool interlaced : {false, true}) {
        for (const int transparent : {0, 2}) {
            const auto frame = [&](const Bytes& indices) {
                GifBuilder builder = FourColourScreen(kSide, kSide);
                builder.GraphicControl(0, 0, transparent);
                // The indices in stream order, all of one value.
                builder.ImageDescriptor(0, 0, kSide, kSide, -1, interlaced)
                    .ImageData(2, LzwEncode(indices, 2));
                return builder.Trailer().Data();
            };
            const Bytes dirty = frame(full);
            const Bytes cut = frame(Bytes(kSide * 3 + 5, 1));
            gif::GifImage gif;
            for (const Bytes* first : {&cut, &dirty}) {
                ASSERT_TRUE(gif.LoadFromStream(*first));
                ASSERT_TRUE(gif.LoadFromStream(cut));
                const Bytes pixels = Indices(*gif.FrameDIBXOR(1));
                const Bytes mask = MaskBits(*gif.FrameDIBAND(1));
                ASSERT_EQ(pixels.size(), full.size());
                size_t wrong = 0;
                for (size_t y = 0; y < kSide; ++y) {
                    for (size_t x = 0; x < kSide; ++x) {
                        const size_t at = y * kSide + x;
                        const bool reached = pixels[at] == 1;
                        wrong += !reached && pixels[at] != 0;
                        wrong += mask[at] != (reached ? 0 : transparent == 0);
                    }
                }
                EXPECT_EQ(wrong, 0u) << "interlaced " << interlaced << ", transparent "
                                     << transparent << ", after " << (first == &cut ? "cut" : "full");
                EXPECT_NE(std::count(pixels.begin(), pixels.end(), 1), 0);
            }
        }
    }
}

TEST(GifReader, LoadsOnTwoThreadsAtOnceGetTheirOwnPixels) {
    // The decoder's tables serve one frame at a time: a frame decoded on another thread
    // meanwhile must not share them.
    const auto frameOf = [](std::uint32_t seed, int minimumCodeSize) {
        // Runs of random lengths and colours: long strings and short ones.
        std::mt19937 random(seed);
        Bytes indices;
        while (indices.size() < 320 * 240)
            indices.insert(indices.end(), 1 + random() % 12,
                           static_cast<std::uint8_t>(random() % (1u << minimumCodeSize)));
        indices.resize(320 * 240);
        GifBuilder gif;
        gif.Screen(320, 240, 7).RampTable(7).Image(0, 0, 320, 240, indices, minimumCodeSize);
        return std::make_pair(gif.Trailer().Data(), indices);
    };
    const std::pair<Bytes, Bytes> files[2] = {frameOf(1, 8), frameOf(2, 3)};
    int wrong[2] = {0, 0};
    const auto loadRepeatedly = [&](int which) {
        for (int round = 0; round < 40; ++round) {
            gif::GifImage gif;
            gif.LoadFromStream(files[which].first);
            if (Indices(*gif.FrameDIBXOR(1)) != files[which].second) ++wrong[which];
        }
    };
    std::thread other(loadRepeatedly, 1);
    loadRepeatedly(0);
    other.join();
    EXPECT_EQ(wrong[0], 0);
    EXPECT_EQ(wrong[1], 0);
}

}  // namespace
