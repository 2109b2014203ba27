#include "gif/LzwDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gif/RowOrder.h"

namespace {

// Copies 1 to 8 bytes with at most two fixed-size moves.
inline void CopyShort(uint8_t* dst, const uint8_t* src, uint32_t n) {
    if (n >= 4) {
        std::memcpy(dst, src, 4);
        std::memcpy(dst + n - 4, src + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(dst, src, 2);
        std::memcpy(dst + n - 2, src + n - 2, 2);
    } else {
        dst[0] = src[0];
    }
}

inline uint64_t LoadLittleEndian64(const uint8_t* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

}  // namespace

// Writes whole 8-byte chunks, the last one (which goes first) running up to 7 bytes past
// the string.
inline void LzwDecoder::ExpandOvershooting(uint8_t* dst, uint32_t code) const {
    uint8_t* p = dst + ((length_[code] - 1u) & ~7u);
    for (;;) {
        std::memcpy(p, chunk_[code], 8);
        if (p == dst) return;
        code = prefix_[code];
        p -= 8;
    }
}

// The last chunk goes first and is copied exactly, so nothing beyond the string is touched;
// every chunk before it is full.
inline void LzwDecoder::Expand(uint8_t* dst, uint32_t code) const {
    const uint32_t length = length_[code];
    const uint32_t lastChunkStart = (length - 1u) & ~7u;
    uint8_t* p = dst + lastChunkStart;
    CopyShort(p, chunk_[code], length - lastChunkStart);
    while (p != dst) {
        code = prefix_[code];
        p -= 8;
        std::memcpy(p, chunk_[code], 8);
    }
}

// The working state lives in locals so that it stays in registers: the pixel stores go
// through byte pointers, which the compiler must otherwise assume to overwrite any member.
void LzwDecoder::Decode(const PixelView& view, int32_t width, bool interlaced,
                        uint8_t minimumCodeSize, const uint8_t* data, size_t size) {
    if (view.Empty() || width <= 0 || width > view.bytesPerScanline) return;
    if (minimumCodeSize > kMaxMinimumCodeSize || data == nullptr) return;

    const uint32_t clearCode = 1u << minimumCodeSize;
    const uint32_t endCode = clearCode + 1;
    const int initialCodeWidth = minimumCodeSize + 1;
    // A decoder used again keeps the roots of its earlier decodings and adds the missing
    // ones. Slots from clear code + 2 on take strings in this decoding, so afterwards only
    // the slots below the clear code are sure to hold roots.
    for (; rootsReady_ < clearCode; ++rootsReady_) {
        chunk_[rootsReady_][0] = static_cast<uint8_t>(rootsReady_);
        length_[rootsReady_] = 1;
        firstByte_[rootsReady_] = static_cast<uint8_t>(rootsReady_);
    }
    rootsReady_ = clearCode;

    // Bit reader: codes are packed least significant bit first.
    size_t position = 0;
    uint64_t bitBuffer = 0;
    int bitCount = 0;
    int codeWidth = initialCodeWidth;
    uint32_t codeMask = (1u << codeWidth) - 1;
    uint32_t nextSlot = clearCode + 2;

    // Output: the current row and column.
    RowOrder rows(view.height, interlaced);
    uint8_t* row = view.Row(0);
    int32_t column = 0;
    // In wide rows strings are copied in whole chunks that may run up to 7 bytes past
    // their end, onto pixels of the row that later strings overwrite. Should the decoding
    // stop first, those pixels are put back from a copy of the row taken before it was
    // written. Narrow rows copy exactly: there the copy would cost more than it saves.
    const bool wideRows = width >= kWideRow;
    const int32_t overshootEnd = wideRows ? width - 7 : 0;
    std::vector<uint8_t> rowBefore(wideRows ? static_cast<size_t>(width) : 0);
    if (wideRows) std::memcpy(rowBefore.data(), row, rowBefore.size());
    auto nextRow = [&] {
        column = 0;
        rows.Advance();
        if (rows.Done()) return;
        row = view.Row(rows.Row());
        if (wideRows) std::memcpy(rowBefore.data(), row, rowBefore.size());
    };

    // Codes widen as soon as the next slot cannot be named at the current width.
    auto widenIfFull = [&] {
        if (nextSlot > codeMask && codeWidth < kMaxCodeWidth) {
            ++codeWidth;
            codeMask = (1u << codeWidth) - 1;
        }
    };
    // A full table stays as it is (GIF89a lets an encoder defer the clear code).
    auto addString = [&](uint32_t prefixCode, uint8_t lastByte) {
        if (nextSlot >= kTableSize) return;
        const uint32_t slot = nextSlot;
        const uint32_t prefixLength = length_[prefixCode];
        const uint32_t inLastChunk = ((prefixLength - 1) & 7) + 1;
        if (inLastChunk < 8) {
            std::memcpy(chunk_[slot], chunk_[prefixCode], 8);
            chunk_[slot][inLastChunk] = lastByte;
            prefix_[slot] = prefix_[prefixCode];
        } else {
            chunk_[slot][0] = lastByte;
            prefix_[slot] = static_cast<uint16_t>(prefixCode);
        }
        length_[slot] = static_cast<uint16_t>(prefixLength + 1);
        firstByte_[slot] = firstByte_[prefixCode];
        ++nextSlot;
        widenIfFull();
    };

    // The data normally starts with a clear code, but a stream without one is decoded from
    // its first code: the state at the start is the state after a clear code.
    bool afterClear = true;
    uint32_t previous = 0;
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
        const uint32_t code = static_cast<uint32_t>(bitBuffer) & codeMask;
        bitBuffer >>= codeWidth;
        bitCount -= codeWidth;

        if (code < clearCode) {
            // A root: one pixel. With a minimum code size above 8 the roots go past what a
            // pixel byte holds; such a code ends the frame rather than stand for another pixel.
            if (code > 0xFF) break;
            if (afterClear) {
                afterClear = false;
                // No slot is added, but with a minimum code size of 0 or 1 the slot the
                // next code may name already needs a wider code.
                widenIfFull();
            } else {
                addString(previous, static_cast<uint8_t>(code));
            }
            row[column] = static_cast<uint8_t>(code);
            if (++column == width) {
                nextRow();
                if (rows.Done()) break;  // the frame is complete; anything more is surplus
            }
            previous = code;
            continue;
        }
        if (code == clearCode) {
            codeWidth = initialCodeWidth;
            codeMask = (1u << codeWidth) - 1;
            nextSlot = clearCode + 2;
            afterClear = true;
            continue;
        }
        if (code == endCode) break;
        // Only a root can follow a clear code; past the table the data is corrupt.
        if (afterClear || code > nextSlot || (code == nextSlot && nextSlot >= kTableSize)) break;
        if (code < nextSlot)
            addString(previous, firstByte_[code]);
        else  // the string the encoder has just added: the previous one plus its first byte
            addString(previous, firstByte_[previous]);
        previous = code;

        const int32_t length = length_[code];
        if (column + length <= overshootEnd) {
            ExpandOvershooting(row + column, code);
            column += length;
            continue;
        }
        if (column + length <= width) {
            Expand(row + column, code);
            column += length;
            if (column == width) {
                nextRow();
                if (rows.Done()) break;
            }
            continue;
        }
        // The string runs past the end of the row: place it in pieces.
        Expand(scratch_, code);
        const uint8_t* source = scratch_;
        int32_t remaining = length;
        while (remaining > 0) {
            const int32_t run = std::min(remaining, width - column);
            std::memcpy(row + column, source, static_cast<size_t>(run));
            source += run;
            remaining -= run;
            column += run;
            if (column == width) {
                nextRow();
                if (rows.Done()) break;
            }
        }
        if (rows.Done()) break;
    }
    if (wideRows && !rows.Done())
        std::memcpy(row + column, rowBefore.data() + column, static_cast<size_t>(width - column));
}
