// Hostile and broken GIF streams: what the reader makes of them. Each case must end in the
// lenient result or a refusal, never a crash, a hang or memory that grows with what the
// file claims rather than with what it holds.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FrameBytes.h"
#include "GifBuilder.h"
#include "LzwTestStream.h"
#include "gif/GifImage.h"
#include "gif/GifReader.h"
#include "gif/LzwDecoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kPixels = {1, 2, 3, 0, 3, 2, 1, 0};  // a 4 x 2 frame

GifBuilder FourColourScreen(int width = 4, int height = 2) {
    GifBuilder gif;
    gif.Screen(width, height, 1).ColourTable({0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    return gif;
}

bool HasPixels(const gif::GifImage& gif, std::int16_t n) {
    return gif.FrameDIBXOR(n) && gif.FrameDIBXOR(n)->hDIB() != nullptr;
}

TEST(HostileGif, TinyStreamsAroundTheHeaderAndScreen) {
    const Bytes whole = GifBuilder("GIF89a").Screen(300, 200, -1, 7, 49).Data();
    ASSERT_EQ(whole.size(), 13u);
    auto prefix = [&](size_t n) { return Bytes(whole.begin(), whole.begin() + n); };
    gif::GifImage gif;
    // Too short for the header: never loads (0 and 3 bytes are the caller's error).
    EXPECT_THROW(gif.LoadFromStream(prefix(0)), std::out_of_range);
    EXPECT_FALSE(gif.LoadFromStream(prefix(1)));
    EXPECT_THROW(gif.LoadFromStream(prefix(3)), std::out_of_range);
    EXPECT_FALSE(gif.LoadFromStream(prefix(5)));
    // The header alone loads an empty image whose screen fields read as 0.
    ASSERT_TRUE(gif.LoadFromStream(prefix(6)));
    EXPECT_EQ(gif.FramesCount(), 0);
    EXPECT_EQ(gif.ScreenWidth(), 0);
    // A screen descriptor missing its last byte: the aspect byte reads as 0.
    ASSERT_TRUE(gif.LoadFromStream(prefix(12)));
    EXPECT_EQ(gif.ScreenWidth(), 300);
    EXPECT_EQ(gif.ScreenHeight(), 200);
    EXPECT_EQ(gif.ScreenBackgroundColorIndex(), 7);
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), 15.0f / 64);
    ASSERT_TRUE(gif.LoadFromStream(prefix(13)));
    EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), (49.0f + 15) / 64);
}

TEST(HostileGif, EveryTruncationLoadsTheFramesReached) {
    // One of each block, so that the stream can be cut at every block boundary and inside
    // every block. An image counts once its separator has been read.
    std::vector<size_t> imageStarts;
    GifBuilder builder = FourColourScreen();
    builder.Loop(3).Extension(0xFE, {{'h', 'i'}}).GraphicControl(2, 10, 0);
    imageStarts.push_back(builder.Data().size());
    builder.Image(0, 0, 4, 2, kPixels, 2).Extension(0x01, {Bytes(12, 0), {'t'}});
    imageStarts.push_back(builder.Data().size());
    builder.ImageDescriptor(1, 1, 3, 1, 1).RampTable(1).ImageData(2, LzwEncode({3, 2, 1}, 2));
    const Bytes whole = builder.Trailer().Data();

    for (size_t cut = 6; cut <= whole.size(); ++cut) {
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(Bytes(whole.begin(), whole.begin() + cut))) << cut;
        std::int16_t expected = 0;
        for (size_t start : imageStarts)
            if (cut > start) ++expected;
        ASSERT_EQ(gif.FramesCount(), expected) << "cut at " << cut;
        for (std::int16_t n = 1; n <= gif.FramesCount(); ++n) {
            // A frame whose descriptor was cut has zero sizes and no bitmaps; one whose data
            // was cut has its full size.
            if (!HasPixels(gif, n)) continue;
            EXPECT_EQ(gif.FrameDIBXOR(n)->Width(), n == 1 ? 4 : 3) << cut;
        }
    }
    gif::GifImage full;
    ASSERT_TRUE(full.LoadFromStream(whole));
    EXPECT_EQ(full.AnimationLoops(), 3);
    EXPECT_EQ(Indices(*full.FrameDIBXOR(1)), kPixels);
    EXPECT_EQ(Indices(*full.FrameDIBXOR(2)), (Bytes{3, 2, 1}));
}

TEST(HostileGif, ZeroAndLargestSizesLeaveEmptyBitmapsAndTheLoadGoesOn) {
    for (int side : {0, 65535}) {
        const Bytes stream = FourColourScreen(side, side)
                                 .ImageDescriptor(0, 0, side, 2)
                                 .ImageData(2, LzwEncode({1, 1}, 2))
                                 .ImageDescriptor(0, 0, 2, side)
                                 .ImageData(2, LzwEncode({1, 1}, 2))
                                 .Image(0, 0, 4, 2, kPixels, 2)
                                 .Trailer()
                                 .Data();
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(stream)) << side;
        ASSERT_EQ(gif.FramesCount(), 3);
        EXPECT_EQ(gif.ScreenWidth(), side == 0 ? 0 : -1);  // 65535 reads as -1
        EXPECT_FALSE(HasPixels(gif, 1)) << side;
        EXPECT_FALSE(HasPixels(gif, 2)) << side;
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(3)), kPixels);
    }
}

TEST(HostileGif, ThousandsOfHugeFramesInASmallFileAllocateNoPixels) {
    // 3000 frames of 32767 x 32767, each with a transparent colour (which would make the
    // mask touch every pixel) and a little data: about 60 KB claiming three petabytes.
    GifBuilder builder = FourColourScreen(32767, 32767);
    for (int f = 0; f < 3000; ++f)
        builder.GraphicControl(0, 1, 2).ImageDescriptor(0, 0, 32767, 32767).ImageData(2, {0x44});
    const Bytes stream = builder.Image(0, 0, 4, 2, kPixels, 2).Trailer().Data();
    ASSERT_LT(stream.size(), 70000u);
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    ASSERT_EQ(gif.FramesCount(), 3001);
    for (std::int16_t n = 1; n <= 3000; ++n)
        ASSERT_FALSE(HasPixels(gif, n)) << n;
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(3001)), kPixels);
}

TEST(HostileGif, FramesUnderTheBitmapLimitStopAtTheLoadBudget) {
    // Each frame fits one bitmap's limit on its own; together they would pass the budget,
    // so the frames after it get empty bitmaps whatever they claim.
    const std::uint64_t budget = 250000;
    GifBuilder builder = FourColourScreen(300, 300);
    for (int f = 0; f < 40; ++f)
        builder.ImageDescriptor(0, 0, 300, 300).ImageData(2, LzwEncode({2, 2, 2}, 2));
    const Bytes stream = builder.Trailer().Data();
    gif::GifImage gif;
    ASSERT_EQ(gif::GifReader(budget).Read(stream.data(), stream.size(), gif.Model()),
              gif::GifLoadStatus::Loaded);
    ASSERT_EQ(gif.FramesCount(), 40);
    std::uint64_t used = 0;
    std::int16_t withPixels = 0;
    for (std::int16_t n = 1; n <= 40; ++n) {
        if (!HasPixels(gif, n)) continue;
        ++withPixels;
        used += gif.FrameDIBXOR(n)->size() + gif.FrameDIBAND(n)->size();
    }
    EXPECT_EQ(withPixels, 2);  // each takes 90 000 bytes of colour and 12 000 of mask
    EXPECT_LE(used, budget);
}

TEST(HostileGif, CorruptCodesEndTheFrameAndTheNextFrameStillLoads) {
    // A code above the next free slot (8 is free, 9 arrives): the pixels before it stay.
    const Bytes beyond =
        LzwCodePacker(2).Clear().Code(1).Code(2).Code(3).Code(9).Code(3).End().Bytes();
    const Bytes stream = FourColourScreen()
                             .ImageDescriptor(0, 0, 4, 2)
                             .ImageData(2, beyond)
                             .Image(0, 0, 4, 2, kPixels, 2)
                             .Trailer()
                             .Data();
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(stream));
    ASSERT_EQ(gif.FramesCount(), 2);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), (Bytes{1, 2, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(2)), kPixels);
}

TEST(HostileGif, SubBlockChainsThatNeverEndStopAtTheEndOfTheStream) {
    // A comment and then image data whose chains of full sub-blocks run to the end of the
    // file with no terminator: the scan ends there, linearly.
    Bytes endless(255, 0x55);
    endless.insert(endless.begin(), 255);  // one size byte and a full payload
    GifBuilder comment = FourColourScreen();
    comment.Bytes({0x21, 0xFE});
    for (int i = 0; i < 4000; ++i)
        comment.Bytes(endless);
    gif::GifImage gif;
    ASSERT_TRUE(gif.LoadFromStream(comment.Data()));
    EXPECT_EQ(gif.FramesCount(), 0);

    // Image data: the chain of a 4 x 2 frame goes on after its pixels with more data.
    GifBuilder image = FourColourScreen();
    image.ImageDescriptor(0, 0, 4, 2).Bytes({2});
    const Bytes lzw = LzwEncode(kPixels, 2, {true, true, false});
    Bytes first = lzw;
    first.resize(255, 0x55);
    first.insert(first.begin(), 255);
    image.Bytes(first);
    for (int i = 0; i < 4000; ++i)
        image.Bytes(endless);
    ASSERT_TRUE(gif.LoadFromStream(image.Data()));
    ASSERT_EQ(gif.FramesCount(), 1);
    EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), kPixels);
}

TEST(HostileGif, MinimumCodeSizesAtAndPastTheEdges) {
    // 0 and 1 are decodable (one and two roots); 12 and 255 leave no room for the table,
    // so their frames keep index 0 and the next frame loads.
    struct Case {
        int minimumCodeSize;
        Bytes data;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {0, LzwCodePacker(0).Clear().Code(0).Code(3).Code(4).End().Bytes(), Bytes(6, 0)},
        {1, LzwCodePacker(1).Clear().Code(1).Code(0).Code(4).Code(1).End().Bytes(),
         Bytes{1, 0, 1, 0, 1, 0}},
        {12, Bytes(20, 0x11), Bytes(6, 0)},
        {255, Bytes(20, 0x11), Bytes(6, 0)},
    };
    for (const Case& c : cases) {
        const Bytes stream = FourColourScreen(6, 1)
                                 .ImageDescriptor(0, 0, 6, 1)
                                 .ImageData(c.minimumCodeSize, c.data)
                                 .Image(0, 0, 4, 2, kPixels, 2)
                                 .Trailer()
                                 .Data();
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(stream)) << c.minimumCodeSize;
        ASSERT_EQ(gif.FramesCount(), 2);
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), c.expected) << c.minimumCodeSize;
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(2)), kPixels) << c.minimumCodeSize;
    }

    // With one root every pixel is 0 either way; over memory that is not zero the decoder
    // shows what it wrote: strings of 1, 2 and 3 pixels, and nothing after the end code.
    std::vector<std::uint8_t> row(8, 0xEE);
    auto decoder = std::make_unique<gif::LzwDecoder>();
    decoder->Decode(gif::PixelView{row.data(), 8, 1}, 8, false, 0, cases[0].data.data(),
                    cases[0].data.size());
    EXPECT_EQ(row, (Bytes{0, 0, 0, 0, 0, 0, 0xEE, 0xEE}));
}

}  // namespace
