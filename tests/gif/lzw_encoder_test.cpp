#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "GiflibDecode.h"
#include "MemorySink.h"
#include "gif/LzwEncoder.h"

using IndexRows = gif::LzwEncoder::IndexRows;

namespace {

void EncodeRows(gif::GifByteSink& out, const IndexRows& pixels, std::uint8_t initialWidth,
                bool interlaced) {
    auto encoder = std::make_unique<gif::LzwEncoder>();
    encoder->Encode(out, pixels, initialWidth, interlaced);
}

struct Picture {
    std::int32_t width, height, stride;
    std::vector<std::uint8_t> bytes;  // stride * height; the padding holds junk on purpose

    Picture(std::int32_t w, std::int32_t h) : width(w), height(h), stride((w + 3) / 4 * 4 + 4) {
        bytes.assign(static_cast<size_t>(stride) * h, 0xEE);
    }
    std::uint8_t& At(std::int32_t x, std::int32_t y) {
        return bytes[static_cast<size_t>(y) * stride + x];
    }
    IndexRows Rows() const { return IndexRows{bytes.data(), stride, width, height}; }
};

Picture RandomPicture(std::int32_t w, std::int32_t h, int colours, std::uint32_t seed,
                      int runLength = 1) {
    Picture p(w, h);
    std::mt19937 random(seed);
    std::uint8_t value = 0;
    int run = 0;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            if (run-- <= 0) {
                value = static_cast<std::uint8_t>(random() % colours);
                run = static_cast<int>(random() % runLength);
            }
            p.At(x, y) = value;
        }
    }
    return p;
}

std::vector<std::uint8_t> Encode(const Picture& p, int minCodeSize, bool interlaced = false) {
    MemorySink sink;
    EncodeRows(sink, p.Rows(), static_cast<std::uint8_t>(minCodeSize + 1), interlaced);
    return sink.bytes;
}

// The encoder written out in its plainest form, one pixel at a time, with signed arithmetic,
// bit masks and separate key and code tables: nothing in it is tuned, so that it is easy to
// check by reading. The fast encoder must match it byte for byte.
class LiteralEncoder {
  public:
    std::vector<std::uint8_t> Encode(const Picture& p, int initial, bool interlaced) {
        width_ = p.width;
        height_ = p.height;
        remaining_ = p.width * p.height;
        interlaced_ = interlaced;
        x_ = y_ = pass_ = 0;
        initialWidth_ = codeWidth_ = initial;
        widthLimit_ = (1 << codeWidth_) - 1;
        clearPending_ = false;
        accumulator_ = bitCount_ = 0;
        clearCode_ = 1 << (initial - 1);
        endCode_ = clearCode_ + 1;
        nextCode_ = clearCode_ + 2;
        fill_ = 0;
        out_.clear();
        keys_.assign(5003, -1);
        codes_.assign(5003, 0);
        Emit(clearCode_);
        std::int32_t prefix = Next(p);
        for (std::int32_t c = Next(p); c >= 0; c = Next(p)) {
            const std::int32_t key = c * 4096 + prefix;
            std::int32_t slot = (c * 16) ^ prefix;
            bool found = false, empty = false;
            if (keys_[slot] == key) {
                found = true;
            } else if (keys_[slot] < 0) {
                empty = true;
            } else {
                const std::int32_t step = slot == 0 ? 1 : 5003 - slot;
                while (!found && !empty) {
                    slot -= step;
                    if (slot < 0) slot += 5003;
                    if (keys_[slot] == key) {
                        found = true;
                    } else if (keys_[slot] <= 0) {
                        empty = true;
                    }
                }
            }
            if (found) {
                prefix = codes_[slot];
                continue;
            }
            Emit(prefix);
            prefix = c;
            if (nextCode_ < 4096) {
                codes_[slot] = nextCode_++;
                keys_[slot] = key;
            } else {
                keys_.assign(5003, -1);
                nextCode_ = clearCode_ + 2;
                clearPending_ = true;
                Emit(clearCode_);
            }
        }
        Emit(prefix);
        Emit(endCode_);
        return out_;
    }

  private:
    std::int32_t Next(const Picture& p) {
        if (remaining_ == 0) return -1;
        const std::int32_t pixel = p.bytes[static_cast<size_t>(y_) * p.stride + x_];
        if (++x_ == width_) {
            x_ = 0;
            if (!interlaced_) {
                ++y_;
            } else {
                static const std::int32_t step[4] = {8, 8, 4, 2}, start[4] = {0, 4, 2, 1};
                y_ += step[pass_];
                while (y_ >= height_ && pass_ < 3)
                    y_ = start[++pass_];
            }
        }
        --remaining_;
        return pixel;
    }
    void Emit(std::int32_t code) {
        static const std::int32_t mask[17] = {0,   1,    3,    7,    15,   31,    63,    127,  255,
                                              511, 1023, 2047, 4095, 8191, 16383, 32767, 65535};
        // The mask table has no negative index: a bit count below zero is an index error.
        if (bitCount_ < 0) throw std::out_of_range("mask index");
        accumulator_ &= mask[bitCount_];
        accumulator_ = bitCount_ > 0 ? accumulator_ | (code << bitCount_) : code;
        bitCount_ += codeWidth_;
        while (bitCount_ >= 8) {
            Put(accumulator_ & 255);
            accumulator_ /= 256;
            bitCount_ -= 8;
        }
        if (nextCode_ > widthLimit_ || clearPending_) {
            if (clearPending_) {
                codeWidth_ = initialWidth_;
                widthLimit_ = (1 << initialWidth_) - 1;
                clearPending_ = false;
            } else {
                ++codeWidth_;
                widthLimit_ = codeWidth_ == 12 ? 4096 : (1 << codeWidth_) - 1;
            }
        }
        if (code == endCode_) {
            while (bitCount_ > 0) {
                Put(accumulator_ & 255);
                accumulator_ /= 256;
                bitCount_ -= 8;
            }
            Flush();
        }
    }
    void Put(std::int32_t byte) {
        block_[++fill_] = static_cast<std::uint8_t>(byte);
        if (fill_ == 254) Flush();
    }
    void Flush() {
        if (fill_ == 0) return;
        block_[0] = static_cast<std::uint8_t>(fill_);
        out_.insert(out_.end(), block_, block_ + fill_ + 1);
        fill_ = 0;
    }

    std::int32_t width_, height_, remaining_, x_, y_, pass_;
    bool interlaced_, clearPending_;
    std::int32_t initialWidth_, codeWidth_, widthLimit_, accumulator_, bitCount_;
    std::int32_t clearCode_, endCode_, nextCode_, fill_;
    std::uint8_t block_[256];
    std::vector<std::uint8_t> out_;
    std::vector<std::int32_t> keys_, codes_;
};

// Splits sub-blocks; fails the test on a malformed chain.
std::vector<std::uint8_t> JoinSubBlocks(const std::vector<std::uint8_t>& blocks,
                                        std::vector<size_t>* lengths = nullptr) {
    std::vector<std::uint8_t> joined;
    size_t at = 0;
    while (at < blocks.size()) {
        const size_t n = blocks[at];
        EXPECT_GT(n, 0u);
        EXPECT_LE(at + 1 + n, blocks.size());
        if (n == 0 || at + 1 + n > blocks.size()) break;
        if (lengths) lengths->push_back(n);
        joined.insert(joined.end(), blocks.begin() + at + 1, blocks.begin() + at + 1 + n);
        at += 1 + n;
    }
    return joined;
}

std::vector<std::uint8_t> WrapInGif(const std::vector<std::uint8_t>& blocks, int width, int height,
                                    int minCodeSize, bool interlaceFlag) {
    std::vector<std::uint8_t> f = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&f](int v) {
        f.push_back(static_cast<std::uint8_t>(v & 255));
        f.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    put16(width);
    put16(height);
    f.push_back(0xF7);  // a 256-entry global table
    f.push_back(0);
    f.push_back(0);
    for (int i = 0; i < 256; ++i)
        f.insert(f.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    f.push_back(0x2C);
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    f.push_back(interlaceFlag ? 0x40 : 0);
    f.push_back(static_cast<std::uint8_t>(minCodeSize));
    f.insert(f.end(), blocks.begin(), blocks.end());
    f.push_back(0);
    f.push_back(0x3B);
    return f;
}

std::vector<std::uint8_t> GiflibIndices(const std::vector<std::uint8_t>& blocks, int width,
                                        int height, int minCodeSize, bool interlaceFlag) {
    GiflibImage image;
    std::string error;
    const bool decoded = DecodeWithGiflib(
        WrapInGif(blocks, width, height, minCodeSize, interlaceFlag), image, error);
    EXPECT_TRUE(decoded) << error;
    if (!decoded || image.frames.size() != 1) return {};
    return image.frames[0].indices;
}

std::vector<std::uint8_t> Unpadded(const Picture& p) {
    std::vector<std::uint8_t> out;
    for (std::int32_t y = 0; y < p.height; ++y) {
        out.insert(out.end(), p.bytes.begin() + static_cast<ptrdiff_t>(y) * p.stride,
                   p.bytes.begin() + static_cast<ptrdiff_t>(y) * p.stride + p.width);
    }
    return out;
}

}  // namespace

TEST(LzwEncoder, SinglePixelGivesTheKnownThreeBytes) {
    Picture p(1, 1);
    p.At(0, 0) = 0;
    // clear (4), 0, end (5) at 3 bits each: 100 000 101, least significant bit first.
    EXPECT_EQ(Encode(p, 2), (std::vector<std::uint8_t>{0x02, 0x44, 0x01}));
}

TEST(LzwEncoder, MatchesTheStepByStepEncoderByteForByte) {
    // Sizes, palettes, run lengths (flat content exercises long strings and the key-0
    // quirk, noise fills the 4096 codes and forces restarts), both row orders.
    struct Case {
        std::int32_t w, h;
        int colours, minCodeSize, run;
        bool interlaced;
    };
    const Case cases[] = {
        {1, 1, 2, 2, 1, false},      {3, 1, 4, 2, 1, false},      {2, 7, 2, 2, 1, true},
        {17, 3, 4, 2, 3, true},      {64, 64, 1, 2, 1, false},    {64, 64, 2, 2, 40, true},
        {200, 150, 16, 4, 4, false}, {97, 211, 256, 8, 1, false}, {320, 240, 256, 8, 12, true},
        {333, 77, 2, 2, 2, false},   {1000, 40, 64, 6, 1, true},  {513, 300, 5, 3, 200, false},
    };
    LiteralEncoder literal;
    std::uint32_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " colours " << c.colours
                                        << (c.interlaced ? " interlaced" : ""));
        const Picture p = RandomPicture(c.w, c.h, c.colours, seed++, c.run);
        const std::vector<std::uint8_t> encoded = Encode(p, c.minCodeSize, c.interlaced);
        EXPECT_EQ(encoded, literal.Encode(p, c.minCodeSize + 1, c.interlaced));
        // And it is valid GIF data: giflib decodes it to the same indices.
        EXPECT_EQ(GiflibIndices(encoded, c.w, c.h, c.minCodeSize, c.interlaced), Unpadded(p));
    }
}

// Indices at or above the clear code (the writer widens the codes for them, a direct caller
// may not) take a path of their own: such an index sent as a code is cut to the code width,
// and one equal to the end code ends the data early. The bytes stay the step-by-step ones.
TEST(LzwEncoder, IndicesAboveTheClearCodeKeepTheStepByStepBytes) {
    LiteralEncoder literal;
    int compared = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        Picture p = RandomPicture(37, 23, 4, seed, 3);
        std::mt19937 random(seed);
        for (int i = 0; i < 6; ++i) {
            // Every third picture gets the end code's value (5) among them.
            const int value = seed % 3 == 0 && i == 0 ? 5 : 6 + static_cast<int>(random() % 250);
            p.At(static_cast<std::int32_t>(random() % 37),
                 static_cast<std::int32_t>(random() % 23)) = static_cast<std::uint8_t>(value);
        }
        std::vector<std::uint8_t> expected;
        bool expectedToStop = false;
        try {
            expected = literal.Encode(p, 3, false);
        } catch (const std::out_of_range&) {
            expectedToStop = true;
        }
        MemorySink sink;
        bool stopped = false;
        try {
            EncodeRows(sink, p.Rows(), 3, false);
        } catch (const std::out_of_range&) {
            stopped = true;
        }
        EXPECT_EQ(stopped, expectedToStop) << "seed " << seed;
        if (!stopped && !expectedToStop) {
            EXPECT_EQ(sink.bytes, expected) << "seed " << seed;
            ++compared;
        }
    }
    EXPECT_GE(compared, 30);
}

TEST(LzwEncoder, SubBlocksCarry254BytesExceptTheLast) {
    const Picture p = RandomPicture(100, 100, 256, 7);
    MemorySink sink;
    EncodeRows(sink, p.Rows(), 9, false);
    std::vector<size_t> lengths;
    const std::vector<std::uint8_t> joined = JoinSubBlocks(sink.bytes, &lengths);
    ASSERT_GT(lengths.size(), 2u);
    for (size_t i = 0; i + 1 < lengths.size(); ++i)
        EXPECT_EQ(lengths[i], 254u) << i;
    EXPECT_GE(lengths.back(), 1u);
    // Each write holds whole sub-blocks, each with its length byte, up to 16 of them.
    size_t block = 0;
    for (const size_t written : sink.writes) {
        size_t taken = 0;
        const size_t first = block;
        while (taken < written && block < lengths.size())
            taken += lengths[block++] + 1;
        EXPECT_EQ(taken, written);
        EXPECT_LE(block - first, 16u);
    }
    EXPECT_EQ(block, lengths.size());
}

TEST(LzwEncoder, InterlacedRowsGoInFourPassesForAnyHeight) {
    // Each row holds its own number; decoding without the interlace flag shows the order
    // in which the rows were stored.
    const std::vector<std::vector<std::uint8_t>> expected = {
        {0}, {0, 1}, {0, 2, 1}, {0, 2, 1, 3}, {0, 4, 2, 1, 3}, {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9}};
    for (const std::vector<std::uint8_t>& order : expected) {
        const std::int32_t height = static_cast<std::int32_t>(order.size());
        Picture p(3, height);
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < 3; ++x)
                p.At(x, y) = static_cast<std::uint8_t>(y);
        }
        const std::vector<std::uint8_t> stored =
            GiflibIndices(Encode(p, 4, true), 3, height, 4, false);
        ASSERT_EQ(stored.size(), static_cast<size_t>(3 * height));
        std::vector<std::uint8_t> rows;
        for (std::int32_t y = 0; y < height; ++y)
            rows.push_back(stored[static_cast<size_t>(y) * 3]);
        EXPECT_EQ(rows, order) << "height " << height;
        // Without the flag the rows stay in place.
        EXPECT_EQ(GiflibIndices(Encode(p, 4, false), 3, height, 4, false), Unpadded(p));
    }
}

TEST(LzwEncoder, WritesNothingForAnEmptyViewOrAnImpossibleCodeSize) {
    Picture p(4, 4);
    MemorySink sink;
    EncodeRows(sink, IndexRows{nullptr, 8, 4, 4}, 3, false);
    EncodeRows(sink, IndexRows{p.bytes.data(), p.stride, 0, 4}, 3, false);
    EncodeRows(sink, IndexRows{p.bytes.data(), p.stride, 4, 0}, 3, false);
    EncodeRows(sink, p.Rows(), 2, false);
    EncodeRows(sink, p.Rows(), 10, false);
    EXPECT_TRUE(sink.bytes.empty());
}

// Each encoder keeps its own table and sub-block: an encoding run from inside another's
// output, as two images saved at once interleave, changes neither result.
TEST(LzwEncoder, TwoEncodersSideBySideShareNoState) {
    const Picture outer = RandomPicture(120, 90, 256, 21, 3);
    const Picture inner = RandomPicture(70, 50, 16, 22, 2);
    const std::vector<std::uint8_t> outerAlone = Encode(outer, 8);
    const std::vector<std::uint8_t> innerAlone = Encode(inner, 4);

    struct InterleavingSink : gif::GifByteSink {
        MemorySink own, other;
        const Picture* inner = nullptr;
        gif::LzwEncoder* second = nullptr;
        void Write(const std::uint8_t* data, size_t count) override {
            own.Write(data, count);
            if (own.writes.size() == 2) second->Encode(other, inner->Rows(), 5, false);
        }
    };
    auto first = std::make_unique<gif::LzwEncoder>();
    auto second = std::make_unique<gif::LzwEncoder>();
    InterleavingSink sink;
    sink.inner = &inner;
    sink.second = second.get();
    first->Encode(sink, outer.Rows(), 9, false);
    ASSERT_GT(sink.own.writes.size(), 2u);
    EXPECT_EQ(sink.own.bytes, outerAlone);
    EXPECT_EQ(sink.other.bytes, innerAlone);
}
