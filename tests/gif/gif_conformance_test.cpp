// The reader against the public GIF suites: giflib's reference dumps for every file,
// Wuffs' raw index files and image-gif's per-frame CRCs. Where our reader differs from
// giflib on purpose, the difference is listed file by file with the reason.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FrameBytes.h"
#include "GiflibDump.h"
#include "TestData.h"
#include "gif/GifImage.h"
#include "tools/corpogif/FrameDigests.h"

namespace {

const char* const kSuites[] = {"pygif", "wuffs", "image-gif", "giflib", "peterdn", "pillow"};

// Several graphic control extensions before one image: giflib keeps the first, here the
// last one wins (each overwrites the fields). The delay the last one gives, by file.
const std::map<std::string, int> kLastGraphicControlDelay = {
    {"wuffs/multiple-graphic-controls.gif", 30},  // 200 ms, then 300 ms
};

void ExpectFramesMatch(const std::string& name, const DumpRecord& dump, const gif::GifImage& gif) {
    for (size_t i = 0; i < dump.frames.size(); ++i) {
        const DumpFrame& expected = dump.frames[i];
        const auto n = static_cast<std::int16_t>(i + 1);
        if (n > gif.FramesCount()) break;
        SCOPED_TRACE("frame " + std::to_string(n));
        // Every 16-bit field is signed here: a file value above 32767 reads as negative.
        EXPECT_EQ(gif.FrameLeft(n), static_cast<std::int16_t>(expected.left));
        EXPECT_EQ(gif.FrameTop(n), static_cast<std::int16_t>(expected.top));
        EXPECT_EQ(gif.FrameInterlaced(n), expected.interlaced);
        EXPECT_EQ(gif.LocalPaletteUsed(n), expected.localPalette);
        if (expected.localPalette) {
            // giflib does not keep a local table's sort flag, so the dump cannot say.
            EXPECT_EQ(gif.LocalPaletteEntries(n), expected.localEntries);
        } else {
            EXPECT_EQ(gif.LocalPaletteEntries(n), gif.GlobalPaletteEntries());
        }
        if (expected.graphicControlCount > 1) {
            ASSERT_EQ(kLastGraphicControlDelay.count(name), 1u) << "several GCEs: list the file";
            EXPECT_EQ(gif.FrameDelay(n), kLastGraphicControlDelay.at(name));
        } else {
            EXPECT_EQ(gif.FrameDelay(n), static_cast<std::int16_t>(expected.delay));
            EXPECT_EQ(gif.FrameDisposalMethod(n), expected.disposal);
            EXPECT_EQ(gif.FrameUserInput(n), expected.userInput != 0);
            EXPECT_EQ(gif.FrameUseTransparentColor(n), expected.transparent >= 0);
            if (expected.transparent >= 0) {
                EXPECT_EQ(gif.FrameTransparentColorIndex(n), expected.transparent);
            }
        }
        const auto colour = gif.FrameDIBXOR(n);
        ASSERT_TRUE(colour);
        if (expected.decoded && expected.width > 0 && expected.height > 0 &&
            expected.width <= 32767 && expected.height <= 32767) {
            EXPECT_NE(colour->hDIB(), nullptr) << "a frame giflib decodes has no bitmap";
        }
        if (colour->hDIB() != nullptr) {
            EXPECT_EQ(colour->Width(), expected.width);
            EXPECT_EQ(colour->Height(), expected.height);
        }
        if (expected.decoded && colour->hDIB() != nullptr) {
            EXPECT_EQ(corpogif::IndicesMd5(*colour), expected.pixelsMd5)
                << "indices differ from giflib's";
        }
    }
}

// The last looping extension counts, whatever its count; -1 when there is none.
int ExpectedLoops(const DumpRecord& dump) {
    int loops = -1;
    for (const DumpLoop& loop : dump.loops)
        if (loop.applicationId == "NETSCAPE2.0" || loop.applicationId == "ANIMEXTS1.0")
            loops = static_cast<int>(loop.count);
    return loops;
}

TEST(GifConformance, EveryFileMatchesGiflibsDump) {
    int files = 0, frames = 0;
    for (const char* suite : kSuites) {
        for (const DumpRecord& dump :
             ParseGiflibDump(GifSuitesDir() + "/giflib-dumps/" + suite + ".txt")) {
            const std::string name = std::string(suite) + "/" + dump.file;
            SCOPED_TRACE(name);
            const std::string path = FindInSuite(suite, dump.file);
            ASSERT_FALSE(path.empty()) << "missing from the suite";
            gif::GifImage gif;
            const bool validHeader = dump.signature == "GIF87a" || dump.signature == "GIF89a";
            ASSERT_EQ(gif.LoadFromFile(path), validHeader);
            if (!validHeader) continue;
            ++files;
            EXPECT_EQ(gif.ScreenWidth(), static_cast<std::int16_t>(dump.screenWidth));
            EXPECT_EQ(gif.ScreenHeight(), static_cast<std::int16_t>(dump.screenHeight));
            EXPECT_EQ(gif.ScreenBackgroundColorIndex(), dump.background);
            EXPECT_FLOAT_EQ(gif.ScreenPixelAspectRatio(), (dump.aspect + 15) / 64.0f);
            EXPECT_EQ(gif.GlobalPaletteExists(), dump.globalPalette);
            EXPECT_EQ(gif.GlobalPaletteEntries(), dump.globalEntries);
            EXPECT_EQ(gif.GlobalPaletteSorted(), dump.globalSorted);
            const int loops = ExpectedLoops(dump);
            EXPECT_EQ(gif.HasLoopingExtension(), loops >= 0);
            EXPECT_EQ(static_cast<std::uint16_t>(gif.AnimationLoops()), loops >= 0 ? loops : 0);
            if (dump.endsWithTrailer)
                EXPECT_EQ(gif.FramesCount(), static_cast<int>(dump.frames.size()));
            else  // giflib stops at the damage; we count every image separator reached
                EXPECT_GE(gif.FramesCount(), static_cast<int>(dump.frames.size()) - 1);
            ExpectFramesMatch(name, dump, gif);
            frames += gif.FramesCount();
        }
    }
    EXPECT_GT(files, 150);
    EXPECT_GT(frames, 1000);
}

TEST(GifConformance, WuffsIndexFilesMatch) {
    const std::string wuffs = GifSuitesDir() + "/wuffs/";
    for (const char* name : {"bricks-dither", "bricks-gray", "bricks-nodither"}) {
        SCOPED_TRACE(name);
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromFile(wuffs + name + ".gif"));
        ASSERT_EQ(gif.FramesCount(), 1);
        EXPECT_EQ(Indices(*gif.FrameDIBXOR(1)), ReadBytes(wuffs + name + ".indexes"));
    }
    gif::GifImage muybridge;
    // A file larger than the load may read is refused unread, the model left empty.
    gif::GifLoadLimits limits;
    limits.inputBytes = 1000;
    muybridge.SetLoadLimits(limits);
    EXPECT_FALSE(muybridge.LoadFromFile(wuffs + "muybridge.gif"));
    EXPECT_EQ(muybridge.LoadStatus(), gif::GifLoadStatus::TooLarge);
    EXPECT_EQ(muybridge.FramesCount(), 0);
    muybridge.SetLoadLimits({});
    ASSERT_TRUE(muybridge.LoadFromFile(wuffs + "muybridge.gif"));
    ASSERT_EQ(muybridge.FramesCount(), 15);
    for (std::int16_t n = 1; n <= 15; ++n) {
        char file[64];
        std::snprintf(file, sizeof file, "muybridge-frame-%03d.indexes", n - 1);
        EXPECT_EQ(Indices(*muybridge.FrameDIBXOR(n)), ReadBytes(wuffs + file)) << file;
    }
}

// CRC-32 as zlib computes it.
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, size_t size) {
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> entries(256);
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
            entries[n] = c;
        }
        return entries;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// Every frame's own rectangle as red, green, blue, alpha (0 at the transparent index),
// frames joined in file order.
std::uint32_t FramesCrc(gif::GifImage& gif) {
    std::uint32_t crc = 0;
    for (std::int16_t n = 1; n <= gif.FramesCount(); ++n) {
        const auto colour = gif.FrameDIBXOR(n);
        const std::uint8_t* palette = gif.lpLocalPalette(n);
        std::vector<std::uint8_t> rgba;
        rgba.reserve(size_t(colour->Width()) * colour->Height() * 4);
        for (std::uint8_t index : Indices(*colour)) {
            rgba.push_back(palette[4 * index + 2]);
            rgba.push_back(palette[4 * index + 1]);
            rgba.push_back(palette[4 * index]);
            const bool clear =
                gif.FrameUseTransparentColor(n) && index == gif.FrameTransparentColorIndex(n);
            rgba.push_back(clear ? 0 : 255);
        }
        crc = Crc32(crc, rgba.data(), rgba.size());
    }
    return crc;
}

TEST(GifConformance, ImageGifFrameChecksumsMatch) {
    std::ifstream results(GifSuitesDir() + "/image-gif/results.txt");
    std::string line;
    int checked = 0;
    while (std::getline(results, line)) {
        const size_t colon = line.find(": ");
        const std::string path = line.substr(0, colon);
        const std::string name = path.substr(path.rfind('/') + 1);
        SCOPED_TRACE(name);
        gif::GifImage gif;
        ASSERT_TRUE(gif.LoadFromFile(FindInSuite("image-gif", name)));
        EXPECT_EQ(FramesCrc(gif), std::stoul(line.substr(colon + 2)));
        ++checked;
    }
    EXPECT_EQ(checked, 12);
}

}  // namespace
