#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>
#include <random>
#include <vector>

#include "GifBuilder.h"
#include "LzwTestStream.h"
#include "gif/LzwDecoder.h"
#include "gif/SubBlockInput.h"

namespace {

constexpr std::uint8_t kUntouched = 0xEE;

// A bitmap-like block of rows with padding, and a spare row below the view that must
// never be written.
struct Canvas {
    std::int32_t width, height, stride;
    std::vector<std::uint8_t> bytes;

    Canvas(std::int32_t w, std::int32_t h)
        : width(w),
          height(h),
          stride((w + 3) / 4 * 4),
          bytes(size_t(stride) * (h + 1), kUntouched) {}

    gif::PixelView View() { return gif::PixelView{bytes.data(), stride, height}; }
    std::vector<std::uint8_t> Pixels() const {
        std::vector<std::uint8_t> out;
        for (std::int32_t y = 0; y < height; ++y)
            out.insert(out.end(), bytes.begin() + y * stride, bytes.begin() + y * stride + width);
        return out;
    }
    bool PaddingAndSpareRowUntouched() const {
        for (std::int32_t y = 0; y <= height; ++y)
            for (std::int32_t x = (y == height ? 0 : width); x < stride; ++x)
                if (bytes[size_t(y) * stride + x] != kUntouched) return false;
        return true;
    }
};

std::vector<std::uint8_t> Decode(Canvas& canvas, const std::vector<std::uint8_t>& data,
                                 int minimumCodeSize, bool interlaced = false) {
    auto decoder = std::make_unique<gif::LzwDecoder>();
    decoder->Decode(canvas.View(), canvas.width, interlaced,
                    static_cast<std::uint8_t>(minimumCodeSize), data.data(), data.size());
    return canvas.Pixels();
}

std::vector<std::uint8_t> RandomIndices(size_t count, int colours, std::uint32_t seed,
                                        int maxRun = 1) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> out;
    while (out.size() < count) {
        const auto value = static_cast<std::uint8_t>(random() % colours);
        const size_t run = 1 + random() % maxRun;
        for (size_t i = 0; i < run && out.size() < count; ++i)
            out.push_back(value);
    }
    return out;
}

using Pixels = std::vector<std::uint8_t>;

TEST(LzwDecoder, CodeWidthGrowsOnceTheSlotItCannotNameIsFilled) {
    // Minimum code size 2: clear 4, end 5, 3-bit codes; slots 6 and 7 are added by the
    // second and third code, after which codes are 4 bits wide.
    LzwCodePacker codes(2);
    codes.Raw(4, 3).Raw(0, 3).Raw(1, 3).Raw(2, 3).Raw(3, 4).Raw(6, 4).Raw(7, 4).Raw(5, 4);
    Canvas canvas(8, 1);
    EXPECT_EQ(Decode(canvas, codes.Bytes(), 2), (Pixels{0, 1, 2, 3, 0, 1, 1, 2}));
}

TEST(LzwDecoder, CodeForTheSlotNotYetAddedRepeatsThePreviousStringsFirstByte) {
    // 0, 1, then 6 ("0 1", adding 7 = "1 0"), then 8, the slot being added: "0 1" + "0".
    LzwCodePacker codes(2);
    codes.Raw(4, 3).Raw(0, 3).Raw(1, 3).Raw(6, 3).Raw(8, 4).Raw(5, 4);
    Canvas canvas(7, 1);
    EXPECT_EQ(Decode(canvas, codes.Bytes(), 2), (Pixels{0, 1, 0, 1, 0, 1, 0}));
}

TEST(LzwDecoder, DataWithoutLeadingClearCodeKeepsItsFirstPixel) {
    LzwCodePacker codes(2);
    codes.Raw(3, 3).Raw(1, 3).Raw(6, 3).Raw(5, 4);
    Canvas canvas(4, 1);
    EXPECT_EQ(Decode(canvas, codes.Bytes(), 2), (Pixels{3, 1, 3, 1}));

    const Pixels source = RandomIndices(300, 16, 7, 3);
    Canvas whole(30, 10);
    EXPECT_EQ(Decode(whole, LzwEncode(source, 4, {/*leadingClear=*/false}), 4), source);
}

TEST(LzwDecoder, ClearCodesResetTheTableAndPlaceNothing) {
    // Two clear codes in a row, then a clear before every pixel; slot 6 means different
    // strings before and after the clear.
    LzwCodePacker codes(2);
    codes.Clear().Clear().Code(1).Code(2).Code(6).Clear().Clear().Code(3).Code(0).Code(6).End();
    Canvas canvas(10, 1);
    EXPECT_EQ(Decode(canvas, codes.Bytes(), 2),
              (Pixels{1, 2, 1, 2, 3, 0, 3, 0, kUntouched, kUntouched}));
}

TEST(LzwDecoder, FullTableGoesOnWithoutClearCode) {
    // GIF89a lets an encoder defer the clear code: once all 4096 slots are taken, codes
    // keep coming at 12 bits and name strings of the frozen table.
    for (int minimumCodeSize : {2, 4, 8}) {
        const int colours = 1 << minimumCodeSize;
        const Pixels source = RandomIndices(250 * 200, colours, 11u + minimumCodeSize, 4);
        Canvas canvas(250, 200);
        LzwEncodeOptions deferred;
        deferred.clearWhenFull = false;
        EXPECT_EQ(Decode(canvas, LzwEncode(source, minimumCodeSize, deferred), minimumCodeSize),
                  source)
            << "minimum code size " << minimumCodeSize;
    }
}

TEST(LzwDecoder, StringsOfEveryLengthTheTableCanHoldAreCopiedWhole) {
    // After "0", each code names the slot being added, so the strings grow one pixel at a
    // time up to 4091 pixels, the longest a 2-bit table holds.
    LzwCodePacker codes(2);
    codes.Clear().Code(0);
    size_t total = 1;
    for (std::uint32_t slot = 6; slot < 4096; ++slot) {
        codes.Code(slot);
        total += slot - 4;
    }
    codes.End();
    Canvas canvas(4099, std::int32_t(total / 4099 + 1));  // an odd width: strings cross rows
    const Pixels pixels = Decode(canvas, codes.Bytes(), 2);
    EXPECT_EQ(Pixels(pixels.begin(), pixels.begin() + total), Pixels(total, 0));
    EXPECT_EQ(Pixels(pixels.begin() + total, pixels.end()),
              Pixels(pixels.size() - total, kUntouched));
    EXPECT_TRUE(canvas.PaddingAndSpareRowUntouched());
}

TEST(LzwDecoder, RandomFramesRoundTripAtEverySizeAndCodeSize) {
    std::uint32_t seed = 1;
    for (int minimumCodeSize = 1; minimumCodeSize <= 8; ++minimumCodeSize) {
        for (std::int32_t width : {1, 2, 3, 7, 8, 9, 15, 33, 100}) {
            for (std::int32_t height : {1, 3, 5, 8, 13}) {
                for (bool interlaced : {false, true}) {
                    const Pixels source =
                        RandomIndices(size_t(width) * height, 1 << minimumCodeSize, ++seed, 12);
                    const Pixels stream =
                        interlaced ? InterlaceRows(source, width, height) : source;
                    Canvas canvas(width, height);
                    ASSERT_EQ(Decode(canvas, LzwEncode(stream, minimumCodeSize), minimumCodeSize,
                                     interlaced),
                              source)
                        << width << "x" << height << " code size " << minimumCodeSize
                        << (interlaced ? " interlaced" : "");
                    ASSERT_TRUE(canvas.PaddingAndSpareRowUntouched());
                }
            }
        }
    }
}

// Stretches of noise (nearly every code a root) and of long runs (long strings) in turn,
// sized so that the decoding changes its loop between them and its state, a string cut by
// the change, carries over.
TEST(LzwDecoder, FramesMixingNoiseAndLongRunsDecodeWhole) {
    for (std::int32_t width : {61, 640}) {
        Pixels source;
        for (std::uint32_t part = 0; part < 6; ++part) {
            const Pixels piece =
                RandomIndices(6000 + 333 * part, 256, 100 + part, part % 2 == 0 ? 1 : 400);
            source.insert(source.end(), piece.begin(), piece.end());
        }
        const std::int32_t height = static_cast<std::int32_t>(source.size()) / width;
        source.resize(size_t(width) * height);
        Canvas canvas(width, height);
        ASSERT_EQ(Decode(canvas, LzwEncode(source, 8), 8), source) << width;
        EXPECT_TRUE(canvas.PaddingAndSpareRowUntouched());
    }
}

// A frame's data read straight from its sub-blocks, a piece at a time, gives what the same
// data gives whole: codes cut by a sub-block or by the end of a piece, a chain cut short, and
// codes without pixels (clear codes) that run across pieces.
TEST(LzwDecoder, DataReadFromSubBlocksDecodesAsWholeData) {
    const std::int32_t width = 601, height = 257;  // data over two input pieces
    const Pixels noise = LzwEncode(RandomIndices(size_t(width) * height, 256, 77), 8);
    LzwCodePacker clears(8);
    for (int i = 0; i < 40000; ++i)
        clears.Clear();
    for (std::uint32_t code : RandomIndices(size_t(width) * height, 256, 78))
        clears.Code(code);
    const Pixels clearsFirst = clears.End().Bytes();
    for (const Pixels& data : {noise, clearsFirst}) {
        ASSERT_GT(data.size(), 2 * gif::LzwDecoder::kInputPiece);
        for (size_t blockSize : {1, 97, 255}) {
            for (size_t kept : {data.size(), data.size() * 3 / 5}) {
                // The chain holds the first `kept` bytes; a chain cut short has no terminator.
                Pixels chain;
                for (size_t at = 0; at < kept; at += blockSize) {
                    const size_t length = std::min(blockSize, kept - at);
                    chain.push_back(static_cast<std::uint8_t>(length));
                    chain.insert(chain.end(), data.begin() + at, data.begin() + at + length);
                }
                if (kept == data.size()) chain.push_back(0);
                const Pixels cut(data.begin(), data.begin() + kept);
                Canvas whole(width, height);
                const std::uint64_t wholeCount = std::make_unique<gif::LzwDecoder>()->Decode(
                    whole.View(), width, false, 8, cut.data(), cut.size());
                Canvas pieces(width, height);
                gif::SubBlockInput input(chain.data(), chain.size(), 0);
                EXPECT_EQ(std::make_unique<gif::LzwDecoder>()->Decode(pieces.View(), width, false,
                                                                      8, input),
                          wholeCount)
                    << blockSize << " " << kept;
                EXPECT_EQ(pieces.bytes, whole.bytes) << blockSize << " " << kept;
            }
        }
    }
}

TEST(LzwDecoder, InterlacedRowsComeInTheFourPassesForAnyHeight) {
    // One row per code, each row a different colour: the rows land in pass order.
    auto rowsInStreamOrder = [](std::int32_t height) {
        LzwCodePacker codes(4);
        codes.Clear();
        for (std::int32_t i = 0; i < height; ++i)
            codes.Clear().Code(std::uint32_t(i));
        Canvas canvas(1, height);
        return Decode(canvas, codes.End().Bytes(), 4, true);
    };
    EXPECT_EQ(rowsInStreamOrder(1), (Pixels{0}));
    EXPECT_EQ(rowsInStreamOrder(2), (Pixels{0, 1}));
    EXPECT_EQ(rowsInStreamOrder(3), (Pixels{0, 2, 1}));
    EXPECT_EQ(rowsInStreamOrder(4), (Pixels{0, 2, 1, 3}));
    EXPECT_EQ(rowsInStreamOrder(5), (Pixels{0, 3, 2, 4, 1}));
    EXPECT_EQ(rowsInStreamOrder(9), (Pixels{0, 5, 3, 6, 2, 7, 4, 8, 1}));
}

TEST(LzwDecoder, CompleteFrameIgnoresSurplusData) {
    // Twelve pixels for a 4 x 2 frame and no end code: the last four do not wrap to row 0.
    const Pixels stream = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    Canvas canvas(4, 2);
    EXPECT_EQ(Decode(canvas, LzwEncode(stream, 2, {true, true, false}), 2),
              (Pixels{1, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_TRUE(canvas.PaddingAndSpareRowUntouched());

    Canvas interlaced(4, 2);
    EXPECT_EQ(Decode(interlaced, LzwEncode(stream, 2), 2, true), (Pixels{1, 1, 1, 1, 2, 2, 2, 2}));
}

TEST(LzwDecoder, DecodingStopsOnDamageAndKeepsWhatWasPlaced) {
    const Pixels source = RandomIndices(64, 4, 3, 5);
    const Pixels data = LzwEncode(source, 2);

    // Cut data: a prefix of the pixels, the rest untouched (no byte beyond a string).
    for (size_t cut = 0; cut < data.size(); ++cut) {
        Canvas canvas(8, 8);
        const Pixels got = Decode(canvas, Pixels(data.begin(), data.begin() + cut), 2);
        size_t placed = 0;
        while (placed < got.size() && got[placed] != kUntouched)
            ++placed;
        ASSERT_EQ(Pixels(got.begin(), got.begin() + placed),
                  Pixels(source.begin(), source.begin() + placed));
        ASSERT_EQ(Pixels(got.begin() + placed, got.end()), Pixels(got.size() - placed, kUntouched))
            << "cut at " << cut;
    }

    Canvas beyond(4, 1);  // a code past the next free slot (19)
    EXPECT_EQ(Decode(beyond, LzwCodePacker(4).Clear().Code(1).Code(2).Code(20).Code(1).Bytes(), 4),
              (Pixels{1, 2, kUntouched, kUntouched}));

    Canvas notRoot(4, 1);  // only a one-pixel code can follow a clear code
    EXPECT_EQ(Decode(notRoot, LzwCodePacker(2).Clear().Code(1).Clear().Code(6).Code(1).Bytes(), 2),
              (Pixels{1, kUntouched, kUntouched, kUntouched}));

    Canvas endFirst(2, 1);
    EXPECT_EQ(Decode(endFirst, LzwCodePacker(2).Clear().End().Code(1).Bytes(), 2),
              (Pixels{kUntouched, kUntouched}));
}

TEST(LzwDecoder, DecoderUsedAgainDecodesEveryCodeSizeAlike) {
    // Strings of a 2-bit frame take slots that are roots of an 8-bit one, and back. The
    // decoder starts in memory that holds whatever it held before, as a heap block may.
    std::vector<unsigned char> memory(sizeof(gif::LzwDecoder), 0xA5);
    auto* decoder = new (memory.data()) gif::LzwDecoder;
    for (int minimumCodeSize : {8, 2, 8, 1, 5, 8}) {
        const Pixels source = RandomIndices(90 * 40, 1 << minimumCodeSize, minimumCodeSize, 6);
        Canvas canvas(90, 40);
        const Pixels data = LzwEncode(source, minimumCodeSize);
        decoder->Decode(canvas.View(), 90, false, std::uint8_t(minimumCodeSize), data.data(),
                        data.size());
        ASSERT_EQ(canvas.Pixels(), source) << "minimum code size " << minimumCodeSize;
    }
    // Slots the earlier frames filled name nothing in a new one: a code past its table
    // ends it.
    Canvas beyond(4, 1);
    const Pixels damaged = LzwCodePacker(8).Clear().Code(1).Code(2).Code(300).Code(1).Bytes();
    decoder->Decode(beyond.View(), 4, false, 8, damaged.data(), damaged.size());
    EXPECT_EQ(beyond.Pixels(), (Pixels{1, 2, kUntouched, kUntouched}));
    // Nor do slots this frame filled before a clear code once codes are wide enough to name
    // them again: 2-bit codes grow to 10 bits, are cleared, grow to 10 bits again and name
    // slot 700, filled before the clear only.
    LzwCodePacker codes(2);
    Pixels placed;
    for (const std::uint32_t slots : {800u, 520u}) {
        codes.Clear();
        while (codes.NextSlot() < slots) {
            placed.push_back(std::uint8_t(placed.size() % 3));
            codes.Code(placed.back());
        }
    }
    ASSERT_EQ(codes.Width(), 10);
    const Pixels stale = codes.Code(700).Code(1).End().Bytes();
    Canvas cleared(std::int32_t(placed.size()) + 2, 1);
    decoder->Decode(cleared.View(), cleared.width, false, 2, stale.data(), stale.size());
    placed.insert(placed.end(), 2, kUntouched);
    EXPECT_EQ(cleared.Pixels(), placed);
    decoder->~LzwDecoder();
}

TEST(LzwDecoder, WideRowCutShortKeepsTheRestOfTheRowAsItWas) {
    // Wide rows are written in whole 8-byte chunks; a stop must not leave their overrun.
    const Pixels source = RandomIndices(300 * 3, 16, 5, 20);
    const Pixels data = LzwEncode(source, 4);
    for (size_t cut = 1; cut < data.size(); cut += 7) {
        Canvas canvas(300, 3);
        const Pixels got = Decode(canvas, Pixels(data.begin(), data.begin() + cut), 4);
        size_t placed = 0;
        while (placed < got.size() && got[placed] == source[placed])
            ++placed;
        ASSERT_EQ(Pixels(got.begin() + placed, got.end()), Pixels(got.size() - placed, kUntouched))
            << "cut at " << cut;
    }
}

TEST(LzwDecoder, MinimumCodeSizeWithoutRoomForTheTableDecodesNothing) {
    for (int size : {12, 13, 31, 255}) {
        Canvas canvas(4, 1);
        EXPECT_EQ(Decode(canvas, Pixels(16, 0), size), Pixels(4, kUntouched)) << size;
    }
    // Size 11 is the largest usable: clear code 2048, 12-bit codes from the start.
    LzwCodePacker codes(11);
    codes.Clear().Code(7).Code(255).Code(2050).End();
    Canvas canvas(5, 1);
    EXPECT_EQ(Decode(canvas, codes.Bytes(), 11), (Pixels{7, 255, 7, 255, kUntouched}));
}

TEST(LzwDecoder, RootCodeAboveAByteEndsTheFrame) {
    // From code size 9 on, roots 256 and up name no pixel value: the frame ends there with
    // what was placed, whether the root comes first or after others.
    for (int size : {9, 10, 11}) {
        SCOPED_TRACE(size);
        Canvas later(4, 1);
        EXPECT_EQ(
            Decode(later, LzwCodePacker(size).Clear().Code(7).Code(300).Code(7).Bytes(), size),
            (Pixels{7, kUntouched, kUntouched, kUntouched}));
        Canvas first(4, 1);
        EXPECT_EQ(Decode(first, LzwCodePacker(size).Clear().Code(256).Code(7).Bytes(), size),
                  Pixels(4, kUntouched));
    }
}

TEST(PixelView, AddressesRowsFromTheTopAndChecksBounds) {
    Canvas canvas(5, 3);
    gif::PixelView view = canvas.View();
    view.At(7, 2) = 9;
    EXPECT_EQ(canvas.bytes[2 * 8 + 7], 9);
    EXPECT_THROW(view.At(8, 0), std::out_of_range);
    EXPECT_THROW(view.At(0, 3), std::out_of_range);
    EXPECT_THROW(view.At(-1, 0), std::out_of_range);
}

}  // namespace
