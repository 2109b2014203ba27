// Our reader against giflib's DGifSlurp on the same bytes: every GIF of the public suites
// and generated ones (random sizes, palettes of 1 to 8 bits, interlacing, local tables,
// transparency, deferred clear codes). The indices must agree frame by frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FrameBytes.h"
#include "GifBuilder.h"
#include "GiflibDecode.h"
#include "LzwTestStream.h"
#include "TempDir.h"
#include "TestData.h"
#include "gif/GifImage.h"
#include "tools/corpogif/GifResave.h"

namespace {

// The model's 16-bit fields are signed, giflib's are not: a frame side above 32767 reads
// as negative here and gets no bitmap. These suite files have such frames.
const std::set<std::string> kFramesWithSidesAbove32767 = {"pygif/max-width.gif",
                                                          "pygif/max-height.gif"};

// Compares every frame giflib decoded; true when there was something to compare.
bool ExpectSameAsGiflib(const std::vector<std::uint8_t>& bytes, bool sidesAbove32767 = false) {
    GiflibImage reference;
    std::string error;
    if (!DecodeWithGiflib(bytes, reference, error)) return false;
    gif::GifImage gif;
    EXPECT_TRUE(gif.LoadFromStream(bytes));
    EXPECT_EQ(gif.FramesCount(), static_cast<int>(reference.frames.size()));
    for (size_t i = 0; i < reference.frames.size() && int(i) < gif.FramesCount(); ++i) {
        const GiflibFrame& expected = reference.frames[i];
        const auto n = static_cast<std::int16_t>(i + 1);
        SCOPED_TRACE("frame " + std::to_string(n));
        const auto colour = gif.FrameDIBXOR(n);
        // Positions above 32767 (pillow/decompression_bomb_extents.gif) read as negative.
        EXPECT_EQ(gif.FrameLeft(n), static_cast<std::int16_t>(expected.left));
        EXPECT_EQ(gif.FrameTop(n), static_cast<std::int16_t>(expected.top));
        if (sidesAbove32767 && (expected.width > 32767 || expected.height > 32767)) {
            EXPECT_EQ(colour->hDIB(), nullptr);
            continue;
        }
        EXPECT_EQ(colour->Width(), expected.width);
        EXPECT_EQ(colour->Height(), expected.height);
        EXPECT_TRUE(Indices(*colour) == expected.indices) << "indices differ";
    }
    return true;
}

TEST(GifDifferential, EverySuiteFileGiflibReadsDecodesTheSame) {
    int compared = 0;
    for (const std::string& path : AllSuiteGifs()) {
        SCOPED_TRACE(path);
        const std::string name = path.substr(GifSuitesDir().size() + 1);
        if (ExpectSameAsGiflib(ReadBytes(path), kFramesWithSidesAbove32767.count(name) != 0))
            ++compared;
    }
    EXPECT_GT(compared, 150);
}

struct RandomGif {
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint8_t>> frames;  // indices, rows top-down
};

RandomGif MakeRandomGif(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return low + int(random() % std::uint32_t(high - low + 1));
    };
    RandomGif made;
    const int screenWidth = pick(1, 300), screenHeight = pick(1, 200);
    const bool global = pick(0, 3) != 0;
    const int globalBits = pick(1, 8);
    GifBuilder gif(pick(0, 1) ? "GIF89a" : "GIF87a");
    gif.Screen(screenWidth, screenHeight, global ? globalBits - 1 : -1);
    if (global) gif.RampTable(globalBits - 1);
    if (pick(0, 1)) gif.Loop(pick(0, 1000));
    const int frameCount = pick(1, 3);
    for (int f = 0; f < frameCount; ++f) {
        const int width = pick(1, 260), height = pick(1, 140);
        const bool local = !global || pick(0, 2) == 0;
        const int bits = local ? pick(1, 8) : globalBits;
        const bool interlaced = pick(0, 2) == 0;
        if (pick(0, 1)) gif.GraphicControl(pick(0, 3), pick(0, 50), pick(0, 1) ? pick(0, 255) : -1);
        gif.ImageDescriptor(pick(0, 50), pick(0, 50), width, height, local ? bits - 1 : -1,
                            interlaced);
        if (local) gif.RampTable(bits - 1);
        // Runs of colour make long strings; noise fills the table fast.
        std::vector<std::uint8_t> indices;
        const int maxRun = pick(1, 40);
        while (indices.size() < size_t(width) * height) {
            const auto value = static_cast<std::uint8_t>(random() % (1u << bits));
            for (int r = pick(1, maxRun); r > 0 && indices.size() < size_t(width) * height; --r)
                indices.push_back(value);
        }
        // A minimum code size of 1 is legal for 1-bit frames, though encoders write 2.
        const int minimumCodeSize = bits == 1 ? pick(1, 2) : bits;
        LzwEncodeOptions options;
        options.clearWhenFull = pick(0, 1) == 0;  // otherwise the clear code is deferred
        const auto ordered = interlaced ? InterlaceRows(indices, width, height) : indices;
        gif.ImageData(minimumCodeSize, LzwEncode(ordered, minimumCodeSize, options));
        made.frames.push_back(indices);
    }
    made.bytes = gif.Trailer().Data();
    return made;
}

TEST(GifDifferential, GeneratedFilesDecodeAsGiflibAndAsEncoded) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE("generated file " + std::to_string(i));
        const RandomGif made = MakeRandomGif(random);
        ASSERT_TRUE(ExpectSameAsGiflib(made.bytes));
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromStream(made.bytes));
        ASSERT_EQ(gif.FramesCount(), static_cast<int>(made.frames.size()));
        for (size_t f = 0; f < made.frames.size(); ++f)
            ASSERT_TRUE(Indices(*gif.FrameDIBXOR(std::int16_t(f + 1))) == made.frames[f]);
    }
}

TEST(GifDifferential, ResavedIndicesPastTheColourTableReadBackTheSameHereAndInGiflib) {
    // A 2-entry table whose data is coded with 8-bit codes and holds larger indices, as some
    // encoders write it: the resaved file gives every index back, to us and to giflib.
    const std::vector<std::uint8_t> indices = {0, 200, 1, 1, 255, 0, 7, 1, 128, 1, 0, 1};
    const std::vector<std::uint8_t> original =
        GifBuilder().Screen(4, 3, 0).RampTable(0).Image(0, 0, 4, 3, indices, 8).Trailer().Data();
    TempDir dir;
    const std::string in = dir.File("in.gif"), out = dir.File("out.gif");
    TempDir::Write(in, original);
    gif::GifImage read;
    ASSERT_TRUE(read.LoadFromFile(in));
    ASSERT_EQ(Indices(*read.FrameDIBXOR(1)), indices);

    std::ostringstream errors;
    ASSERT_EQ(corpogif::ResaveGif(in, out, errors), 0) << errors.str();
    gif::GifImage again;
    ASSERT_TRUE(again.LoadFromFile(out));
    EXPECT_EQ(Indices(*again.FrameDIBXOR(1)), indices);
    GiflibImage reference;
    std::string error;
    ASSERT_TRUE(DecodeWithGiflib(TempDir::Read(out), reference, error)) << error;
    ASSERT_EQ(reference.frames.size(), 1u);
    EXPECT_EQ(reference.frames[0].indices, indices);
    EXPECT_EQ(reference.globalColours, 2);
}

}  // namespace
