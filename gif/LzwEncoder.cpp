#include "gif/LzwEncoder.h"

#include <cstring>
#include <stdexcept>
#include <type_traits>

#include "gif/LittleEndian.h"
#include "gif/RowOrder.h"
#include "platform/CompilerHints.h"

namespace gif {

namespace {

constexpr std::int32_t kTableSize = LzwEncoder::kTableSize;
constexpr int kHashShift = 4;       // 8 minus the doublings from 5003 up to 65536
constexpr int kPixelKeyShift = 12;  // key = pixel * 4096 + prefix code + 1
// Keys that end a repeated probe: the empty slot (0) and the string of pixel 0 after code 0.
constexpr std::uint32_t kLastStopKey = 1;
constexpr std::uint32_t kCodeLimit = 4096;  // codes are at most 12 bits wide
constexpr int kMinInitialWidth = 3;         // GIF's minimum code size is at least 2
constexpr int kMaxInitialWidth = 9;         // minimum code size 8: a byte per index
constexpr size_t kChunkData = LzwEncoder::kChunkBlocks * LzwEncoder::kBlockData;

// Codes packed least significant bit first. Whole bytes go to the stream at once: the pending
// bits are stored as 8 bytes every time, and the stream advances by the whole ones. A width
// of 0 puts nothing (the code must then be 0).
struct BitPacker {
    std::uint8_t* at;
    std::uint64_t pending = 0;
    std::uint32_t pendingBits = 0;

    CORPO_ALWAYS_INLINE void Put(std::uint32_t code, std::uint32_t width) {
        pending |= static_cast<std::uint64_t>(code) << pendingBits;
        pendingBits += width;
        StoreLittleEndian64(at, pending);
        at += pendingBits >> 3;
        pending >>= pendingBits & ~7u;
        pendingBits &= 7;
    }
    // Completes the last byte with zero bits.
    bool Round() {
        if (pendingBits == 0) return false;
        StoreLittleEndian64(at, pending);
        ++at;
        pending = 0;
        pendingBits = 0;
        return true;
    }
};

// The old table's home slot of the string of code `prefix` followed by `pixel`; slot 0 is
// the home of pixel c after code c * 16 only.
inline std::int32_t OldHome(std::uint32_t pixel, std::uint32_t prefix) {
    return static_cast<std::int32_t>((pixel << kHashShift) ^ prefix);
}

// The old table's repeated probe from `home`: back by the same step each time, round the end.
struct OldProbe {
    std::int32_t step;
    explicit OldProbe(std::int32_t home) : step(home == 0 ? 1 : kTableSize - home) {}
    std::int32_t Next(std::int32_t index) const {
        index -= step;
        return index < 0 ? index + kTableSize : index;
    }
};

// The fast table's home slot of a string is (prefix code * 4) ^ kScatter[pixel]: a code's
// strings land in slots far apart for different pixels however few colours there are, and the
// pixel's share is looked up before the prefix code is known.
constexpr std::uint32_t kFastMask = LzwEncoder::kFastTableSize - 1;
constexpr int kFastPixelShift = 14;  // a string in the fast table: pixel * 16384 + prefix code * 4
// The string of a code given times 4: stringOf[code4 / 4], without the division.
inline std::uint32_t StringOfFast(const std::uint32_t* stringOf, std::uint32_t code4) {
    return *reinterpret_cast<const std::uint32_t*>(
        reinterpret_cast<const unsigned char*>(stringOf) + code4);
}
// What stringOf_ holds for code 0, the empty slot: no string of a pixel and a code.
constexpr std::uint32_t kNoString = ~std::uint32_t{0};
constexpr std::int64_t kFastTableMinPixels = 4096;
struct Scatter {
    std::uint16_t slot[256];
    constexpr Scatter() : slot() {
        for (std::uint32_t c = 0; c < 256; ++c)
            slot[c] = static_cast<std::uint16_t>(((c * 0x9E3779B1u) >> 18) & kFastMask);
    }
};
constexpr Scatter kScatter;

}  // namespace

// Why two tables. The bytes depend on the old 5003-slot table only where its repeated probe
// stops at the slot of key 1 (pixel 0 after code 0) and overwrites it: without that, it is an
// exact dictionary like any other, and the codes are those of plain LZW. A repeated probe never
// reaches slot 0 (the k-th repeated probe from home h is slot (k + 1) * h mod 5003, never 0 as
// 5003 is prime; from home 0 it goes down from 5002 and stops long before wrapping round), and
// only a string whose home is slot 0 (pixel c after code c * 16) can take slot 0. So while key
// 1 is in slot 0, or not in the table at all, nothing is overwritten. Each table (between
// clear codes) is therefore built in the faster fast_ table until key 1 is about to be added
// while another home-0 string is there (key 1 then goes elsewhere and may be overwritten):
// then the strings added so far are put into the old table in the order of their codes (each
// by the old probe, which lands them where the old encoder had them) and the old table takes
// over until the next clear code. The fast table is an exact dictionary too: a slot's code
// counts only when the string kept for that code is the one looked for, and the empty slot's
// code 0 has a string (kNoString) that no pixel and code make.
int LzwEncoder::IndexBitsOf(const IndexRows& pixels) {
    // The largest index has the highest bit of all of them together.
    std::uint8_t all = 0;
    const std::uint8_t* row = pixels.firstRow;
    for (std::int32_t y = 0; y < pixels.height; ++y, row += pixels.stride) {
        for (std::int32_t x = 0; x < pixels.width; ++x)
            all |= row[x];
    }
    int bits = 0;
    while ((1 << bits) <= all)
        ++bits;
    return bits;
}

CORPO_NOINLINE void LzwEncoder::MoveToOldTable(std::uint32_t firstCode, std::uint32_t nextCode) {
    std::memset(keys_, 0, sizeof keys_);
    for (std::uint32_t code = firstCode; code < nextCode; ++code) {
        const std::uint32_t pixel = stringOf_[code] >> kFastPixelShift;
        const std::uint32_t prefix = (stringOf_[code] >> 2) & (kCodeLimit - 1);
        const std::uint32_t key = (pixel << kPixelKeyShift) + prefix + 1;
        // Key 1 is not among them, so every probe ends at an empty slot.
        std::int32_t index = OldHome(pixel, prefix);
        if (keys_[index] != 0) {
            const OldProbe probe(index);
            do {
                index = probe.Next(index);
            } while (keys_[index] != 0);
        }
        keys_[index] = key;
        codes_[index] = static_cast<std::uint16_t>(code);
    }
}

void LzwEncoder::WriteBlocks(GifByteSink& out, size_t count) {
    // The stream starts kChunkBlocks bytes in, so each block moves down by one byte more than
    // the one before it, never over bytes still to be moved.
    std::uint8_t* framed = buffer_;
    const std::uint8_t* stream = buffer_ + kChunkBlocks;
    while (count > 0) {
        const size_t length = count < kBlockData ? count : kBlockData;
        framed[0] = static_cast<std::uint8_t>(length);
        std::memmove(framed + 1, stream, length);
        framed += length + 1;
        stream += length;
        count -= length;
    }
    out.Write(buffer_, static_cast<size_t>(framed - buffer_));
}

CORPO_NOINLINE std::uint8_t* LzwEncoder::WriteChunk(GifByteSink& out, std::uint8_t* at) {
    WriteBlocks(out, kChunkData);
    std::uint8_t* const stream = buffer_ + kChunkBlocks;
    const size_t left = static_cast<size_t>(at - (buffer_ + kChunkBytes));
    std::memcpy(stream, buffer_ + kChunkBytes, left);
    return stream + left;
}

void LzwEncoder::WriteRest(GifByteSink& out, std::uint8_t* at) {
    if (at >= buffer_ + kChunkBytes) at = WriteChunk(out, at);
    if (at > buffer_ + kChunkBlocks)
        WriteBlocks(out, static_cast<size_t>(at - (buffer_ + kChunkBlocks)));
}

void LzwEncoder::Encode(GifByteSink& out, const IndexRows& pixels, std::uint8_t initialWidth,
                        bool interlaced) {
    if (pixels.firstRow == nullptr || pixels.width < 1 || pixels.height < 1) return;
    if (initialWidth < kMinInitialWidth || initialWidth > kMaxInitialWidth) return;
    // Every index is below the clear code when it needs fewer bits than the initial width.
    if (pixels.indexBits < initialWidth || IndexBitsOf(pixels) < initialWidth) {
        EncodeRows<false>(out, pixels, initialWidth, interlaced);
    } else {
        EncodeRows<true>(out, pixels, initialWidth, interlaced);
    }
}

// kIndicesChecked: some index is at or above the clear code. Such an index, sent as a code of
// its own, is cut to the code width; equal to the end code, it ends the data as the end code
// does (the last byte is completed and the sub-block closed), and when that left bits over,
// the codes that follow have no place and the encoder stops.
template <bool kIndicesChecked>
void LzwEncoder::EncodeRows(GifByteSink& out, const IndexRows& pixels, std::uint32_t initialWidth,
                            bool interlaced) {
    std::uint32_t* const keys = keys_;
    std::uint16_t* const codes = codes_;
    std::uint16_t* const fast = fast_;
    std::uint32_t* const stringOf = stringOf_;
    std::uint8_t* const stream = buffer_ + kChunkBlocks;
    const std::uint32_t clearCode = 1u << (initialWidth - 1);
    const std::uint32_t endCode = clearCode + 1;
    std::uint32_t nextCode = clearCode + 2;
    std::uint32_t codeWidth = initialWidth;
    // Once this code is given out, the codes after it are one bit wider; at 4096 the table is
    // full.
    std::uint32_t widenAt = 1u << codeWidth;
    BitPacker bits{stream};
    const auto endInside = [&] {
        const bool cut = bits.Round();
        WriteRest(out, bits.at);
        bits.at = stream;
        if (cut) throw std::out_of_range("LZW encoder: bit count out of range");
    };
    const auto send = [&](std::uint32_t code) {
        bits.Put(kIndicesChecked ? code & ((1u << codeWidth) - 1) : code, codeWidth);
        if (kIndicesChecked && code == endCode) endInside();
    };

    // The fast table is used from each clear code on until the old one must take over (see
    // MoveToOldTable); always the old one for indices at or above the clear code.
    // Small frames keep to the old table: clearing the fast one would take longer than they
    // gain.
    const bool fastTable =
        !kIndicesChecked &&
        static_cast<std::int64_t>(pixels.width) * pixels.height >= kFastTableMinPixels;
    bool fastInUse = fastTable;
    bool homeZeroAdded = false;  // a string whose old home is slot 0, other than key 1
    if (fastInUse) {
        stringOf[0] = kNoString;
        std::memset(fast, 0, sizeof fast_);
    } else {
        std::memset(keys, 0, sizeof keys_);
    }
    bits.Put(clearCode, codeWidth);

    RowOrder rows(pixels.height, interlaced);
    const std::uint8_t* pixel = pixels.firstRow;
    const std::uint8_t* rowEnd = pixel + pixels.width;
    std::uint32_t prefix = *pixel++;
    if (fastInUse) prefix <<= 2;

    // One pixel: extends the current string (`prefix`, a code) while the table has the
    // longer one, or else sends the string's code and adds the longer string with the next
    // code.
    const auto step = [&](const std::uint8_t* at) CORPO_ALWAYS_INLINE {
        const std::uint32_t c = *at;
        const std::uint32_t key = (c << kPixelKeyShift) + prefix + 1;
        std::int32_t index = OldHome(c, prefix);
        std::uint32_t found = keys[index];
        if (found != key) {
            // The first probe takes only an empty slot as the end, a repeated one also the
            // slot of key 1 (pixel 0 after code 0), which the new string then overwrites:
            // that string later gets a second code. The output stays valid, and keeps the
            // bytes this encoder has always written.
            if (found != 0) {
                const OldProbe probe(index);
                do {
                    index = probe.Next(index);
                    found = keys[index];
                } while (found != key && found > kLastStopKey);
            }
            if (found != key) {
                send(prefix);
                prefix = c;
                // When the table is full this slot is garbage, and the table is cleared.
                keys[index] = key;
                codes[index] = static_cast<std::uint16_t>(nextCode++);
                return;
            }
        }
        prefix = codes[index];
    };
    // The same in the fast table; false, having done nothing, when the old table must take over.
    // Here `prefix` holds the code times 4, as the table does: the home slot is one XOR away.
    // The slot's code is taken as the next prefix before its string is checked: a long string
    // goes on without waiting for the second load. Where most pixels end a string (photos),
    // an empty slot is told apart first, from the code alone: the mispredicted branch is
    // settled a load sooner. Where strings are long, the one test of the string is faster.
    const auto fastStep = [&](const std::uint8_t* at, auto emptyFirst) CORPO_ALWAYS_INLINE {
        const std::uint32_t c = *at;
        const std::uint32_t string = (c << kFastPixelShift) | prefix;
        std::uint32_t index = prefix ^ kScatter.slot[c];
        std::uint32_t code = fast[index];
        if constexpr (decltype(emptyFirst)::value) {
            if (code != 0 && CORPO_UNLIKELY(StringOfFast(stringOf, code) != string)) {
                do {
                    index = (index + 1) & kFastMask;
                    code = fast[index];
                } while (code != 0 && StringOfFast(stringOf, code) != string);
            }
        } else {
            if (CORPO_LIKELY(StringOfFast(stringOf, code) == string)) {
                prefix = code;
                return true;
            }
            while (code != 0) {
                index = (index + 1) & kFastMask;
                code = fast[index];
                if (StringOfFast(stringOf, code) == string) break;
            }
        }
        if (code == 0) {
            if (CORPO_UNLIKELY(OldHome(c, prefix >> 2) == 0)) {
                if (c != 0) {
                    homeZeroAdded = true;
                } else if (homeZeroAdded) {
                    return false;
                }
            }
            send(prefix >> 2);
            prefix = c << 2;
            // When the table is full this code is one too many, and the table is cleared.
            stringOf[nextCode] = string;
            fast[index] = static_cast<std::uint16_t>(nextCode++ << 2);
            return true;
        }
        prefix = code;
        return true;
    };
    // Whether the last run of pixels ended strings at more than one pixel in four.
    bool shortStrings = false;
    const auto takeOver = [&] {
        MoveToOldTable(clearCode + 2, nextCode);
        fastInUse = false;
        prefix >>= 2;
    };

    for (;;) {
        // Pixels that cannot give out the code at widenAt need no checks between them.
        const size_t room = widenAt - nextCode;
        if (room > 0) {
            size_t count = static_cast<size_t>(rowEnd - pixel);
            if (count > room) count = room;
            if (count > kRunLimit) count = kRunLimit;
            const std::uint8_t* const runEnd = pixel + count;
            if (!kIndicesChecked && fastInUse) {
                const std::uint32_t codesBefore = nextCode;
                const std::uint8_t* const runStart = pixel;
                if (shortStrings) {
                    for (; pixel != runEnd; ++pixel) {
                        if (!fastStep(pixel, std::true_type())) break;
                    }
                } else {
                    for (; pixel != runEnd; ++pixel) {
                        if (!fastStep(pixel, std::false_type())) break;
                    }
                }
                shortStrings = (nextCode - codesBefore) * 4 > static_cast<size_t>(pixel - runStart);
                if (pixel != runEnd) takeOver();
            } else {
                for (; pixel != runEnd; ++pixel)
                    step(pixel);
            }
        } else if (pixel != rowEnd) {
            if (!kIndicesChecked && fastInUse && !fastStep(pixel, std::false_type())) takeOver();
            if (kIndicesChecked || !fastInUse) step(pixel);
            ++pixel;
            if (nextCode > widenAt) {
                if (widenAt < kCodeLimit) {
                    // The decoder widens its codes on taking the code just given out.
                    ++codeWidth;
                    widenAt *= 2;
                } else {
                    // Every code was taken: start a new table and tell the decoder so.
                    if (!fastTable) {
                        std::memset(keys, 0, sizeof keys_);
                    } else {
                        std::memset(fast, 0, sizeof fast_);
                        if (!fastInUse) prefix <<= 2;
                        fastInUse = true;
                        homeZeroAdded = false;
                    }
                    nextCode = clearCode + 2;
                    bits.Put(clearCode, codeWidth);
                    codeWidth = initialWidth;
                    widenAt = 1u << codeWidth;
                }
            }
        }
        if (bits.at >= buffer_ + kChunkBytes) bits.at = WriteChunk(out, bits.at);
        if (pixel == rowEnd) {
            rows.Advance();
            if (rows.Done()) break;
            pixel = pixels.firstRow + rows.Row() * pixels.stride;
            rowEnd = pixel + pixels.width;
        }
    }
    send(!kIndicesChecked && fastInUse ? prefix >> 2 : prefix);
    // The end code is as wide as the code the decoder would add next.
    if (nextCode == widenAt && widenAt < kCodeLimit) ++codeWidth;
    bits.Put(endCode, codeWidth);
    bits.Round();
    WriteRest(out, bits.at);
}

}  // namespace gif
