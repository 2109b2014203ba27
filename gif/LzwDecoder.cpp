#include "gif/LzwDecoder.h"

#include <algorithm>
#include <cstring>

#include "gif/RowOrder.h"

namespace {

inline uint64_t LoadLittleEndian64(const uint8_t* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// A chunk as a number: its first byte is the lowest.
inline uint64_t LoadChunk(const uint8_t* chunk) {
    return LoadLittleEndian64(chunk);
}

inline void StoreChunk(uint8_t* chunk, uint64_t value) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    value = __builtin_bswap64(value);
#endif
    std::memcpy(chunk, &value, 8);
}

// Puts decoded pixels into a frame's rows, in stream order, one copy per row segment. Kept
// out of the decoding loop, whose state then fits in registers.
class RowWriter {
  public:
    RowWriter(const PixelView& view, int32_t width, bool interlaced)
        : view_(view), width_(width), rows_(view.height, interlaced) {}

    // Returns false once every row is complete; what comes after is surplus and dropped.
    __attribute__((noinline)) bool Write(const uint8_t* source, size_t count) {
        while (count > 0 && !rows_.Done()) {
            const size_t run = std::min(count, static_cast<size_t>(width_ - column_));
            std::memcpy(view_.Row(rows_.Row()) + column_, source, run);
            source += run;
            count -= run;
            column_ += static_cast<int32_t>(run);
            if (column_ == width_) {
                column_ = 0;
                rows_.Advance();
            }
        }
        return !rows_.Done();
    }

  private:
    const PixelView& view_;
    const int32_t width_;
    RowOrder rows_;
    int32_t column_ = 0;
};

}  // namespace

// The working state lives in locals so that it stays in registers: the pixel stores go
// through byte pointers, which the compiler must otherwise assume to overwrite any member.
void LzwDecoder::Decode(const PixelView& view, int32_t width, bool interlaced,
                        uint8_t minimumCodeSize, const uint8_t* data, size_t size) {
    if (view.Empty() || width <= 0 || width > view.bytesPerScanline) return;
    if (minimumCodeSize > kMaxMinimumCodeSize || data == nullptr) return;

    const uint32_t clearCode = 1u << minimumCodeSize;
    const uint32_t endCode = clearCode + 1;
    // With a minimum code size above 8 the roots go past what a pixel byte holds; such a
    // code ends the frame rather than stand for another pixel.
    const uint32_t rootEnd = std::min(clearCode, 256u);
    const int initialCodeWidth = minimumCodeSize + 1;
    // A decoder used again keeps the roots of its earlier decodings and adds the missing
    // ones. Slots from the end code on take strings in this decoding, so afterwards only
    // the slots below the clear code are sure to hold roots.
    for (; rootsReady_ < clearCode; ++rootsReady_) {
        StoreChunk(chunk_[rootsReady_], rootsReady_);
        prefix_[rootsReady_] = 0;
        length_[rootsReady_] = 1;
    }
    rootsReady_ = clearCode;

    // Bit reader: codes are packed least significant bit first.
    size_t position = 0;
    uint64_t bitBuffer = 0;
    int bitCount = 0;
    int codeWidth = initialCodeWidth;

    // After a clear code (and at the start) the next code must be a root and adds no
    // string. The table is primed so that it needs no test: the string it adds goes into
    // the end code's slot, which no code reads, and the slot after it is the first real one.
    uint32_t nextSlot = endCode;
    uint32_t previous = 0;
    uint32_t previousLength = 1;
    uint8_t previousFirst = 0;

    // Decoded pixels wait in the buffer until it is moved into the rows.
    uint8_t* const pixels = pixels_;
    size_t count = 0;
    RowWriter rows(view, width, interlaced);

    for (;;) {
        if (bitCount < codeWidth) {
            if (position + 8 <= size) {
                bitBuffer |= LoadLittleEndian64(data + position) << bitCount;
                position += static_cast<size_t>(63 - bitCount) >> 3;
                bitCount |= 56;
            } else {
                while (bitCount <= 56 && position < size) {
                    bitBuffer |= static_cast<uint64_t>(data[position++]) << bitCount;
                    bitCount += 8;
                }
                if (bitCount < codeWidth) break;  // the data ends inside this code
            }
        }
        const uint32_t code = static_cast<uint32_t>(bitBuffer) & ((1u << codeWidth) - 1);
        bitBuffer >>= codeWidth;
        bitCount -= codeWidth;

        // One test, nearly never true, sets apart the clear code, the end code, a root
        // beyond a byte and a code past the table (corrupt data), so that roots and table
        // strings share one path.
        if ((code - rootEnd <= endCode - rootEnd) | (code > nextSlot)) {
            if (code != clearCode) break;
            codeWidth = initialCodeWidth;
            nextSlot = endCode;
            previous = 0;
            previousLength = 1;
            continue;
        }

        // A string is copied in whole chunks, the last one (which goes first) running up to
        // 7 bytes past its end; the next string overwrites them.
        // The code the encoder has just added stands for the previous string plus its own
        // first byte; any other code's first byte is the first one it puts out.
        const bool justAdded = code == nextSlot;
        const uint32_t length = justAdded ? previousLength + 1 : length_[code];
        uint8_t* const out = pixels + count;
        // Returns the string's first chunk, the one written last.
        const auto expand = [&]() -> uint64_t {
            uint32_t link = code;
            uint8_t* p = out + ((length - 1u) & ~7u);
            for (;;) {
                const uint64_t value = LoadChunk(chunk_[link]);
                StoreChunk(p, value);
                if (p == out) return value;
                link = prefix_[link];
                p -= 8;
            }
        };
        uint32_t first = previousFirst;
        if (!justAdded) first = static_cast<uint8_t>(expand());

        // Adds the previous string plus that first byte. A full table stays as it is (GIF89a
        // lets an encoder defer the clear code): its adds go to the spare slot. Chunk bytes
        // past a string are zero, so the byte goes in with an or.
        const uint32_t slot = nextSlot;
        const uint32_t inLastChunk = previousLength & 7;  // 0: the last chunk is full
        const uint64_t firstByte = first;
        const uint64_t chunk =
            inLastChunk ? LoadChunk(chunk_[previous]) | firstByte << (8 * inLastChunk) : firstByte;
        StoreChunk(chunk_[slot], chunk);
        prefix_[slot] = static_cast<uint16_t>(inLastChunk ? prefix_[previous] : previous);
        length_[slot] = static_cast<uint16_t>(previousLength + 1);
        nextSlot = std::min(nextSlot + 1, kTableSize);
        // Codes widen as soon as the next slot cannot be named at the current width: the
        // slot is then 2 to the width (it never goes past), and a full table names none.
        const uint32_t named = nextSlot & (kTableSize - 1);
        codeWidth += static_cast<int>(named >> codeWidth);

        if (justAdded) expand();
        previous = code;
        previousLength = length;
        previousFirst = static_cast<uint8_t>(first);
        count += length;
        if (count >= kFlushAt) {
            if (!rows.Write(pixels, count)) return;
            count = 0;
        }
    }
    rows.Write(pixels, count);
}
