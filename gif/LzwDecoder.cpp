#include "LzwDecoder.h"

#include <algorithm>
#include <cstring>

struct LzwDecoder::Output {
    const PixelView& view;
    int32_t width;
    RowOrder rows;
    uint8_t* row;
    int32_t column = 0;

    Output(const PixelView& v, int32_t w, bool interlaced)
        : view(v), width(w), rows(v.height, interlaced), row(v.Row(0)) {}

    void NextRow() {
        column = 0;
        rows.Advance();
        if (!rows.Done()) row = view.Row(rows.Row());
    }
};

void LzwDecoder::Decode(const PixelView& view, int32_t width, bool interlaced,
                        uint8_t minimumCodeSize, const uint8_t* data, size_t size) {
    if (view.Empty() || width <= 0 || width > view.bytesPerScanline) return;
    if (minimumCodeSize > kMaxMinimumCodeSize) return;

    data_ = data;
    size_ = data ? size : 0;
    position_ = 0;
    bitBuffer_ = 0;
    bitCount_ = 0;
    clearCode_ = 1u << minimumCodeSize;
    endCode_ = clearCode_ + 1;
    initialCodeWidth_ = minimumCodeSize + 1;
    ResetTable();
    for (uint32_t root = 0; root < clearCode_; ++root) {
        chunk_[root][0] = static_cast<uint8_t>(root);
        length_[root] = 1;
        firstByte_[root] = static_cast<uint8_t>(root);
    }

    Output out(view, width, interlaced);
    // The data normally starts with a clear code, but a stream without one is decoded from
    // its first code: the state at the start is the state after a clear code.
    bool afterClear = true;
    uint32_t previous = 0;
    uint32_t code;
    while (ReadCode(code)) {
        if (code == endCode_) break;
        if (code == clearCode_) {
            ResetTable();
            afterClear = true;
            continue;
        }
        if (afterClear) {
            // Only a root can follow a clear code; anything else names no string.
            if (code >= clearCode_) break;
            afterClear = false;
            // No slot is added, but with a minimum code size of 0 or 1 the slot the next
            // code may name already needs a wider code.
            WidenIfFull();
        } else if (code < nextSlot_) {
            if (nextSlot_ < kTableSize) AddString(previous, firstByte_[code]);
        } else if (code == nextSlot_ && nextSlot_ < kTableSize) {
            // The string the encoder has just added: the previous one plus its own first byte.
            AddString(previous, firstByte_[previous]);
        } else {
            break;  // a code beyond the table: the data is corrupt
        }
        Place(code, out);
        if (out.rows.Done()) break;  // the frame is complete; anything more is surplus
        previous = code;
    }
}

void LzwDecoder::ResetTable() {
    codeWidth_ = initialCodeWidth_;
    codeMask_ = (1u << codeWidth_) - 1;
    nextSlot_ = clearCode_ + 2;
}

// A full table stays as it is (GIF89a lets an encoder defer the clear code), so this is
// only called while a slot is free.
void LzwDecoder::AddString(uint32_t prefixCode, uint8_t lastByte) {
    const uint32_t slot = nextSlot_;
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

    ++nextSlot_;
    WidenIfFull();
}

// Codes widen as soon as the next slot cannot be named at the current width, up to 12 bits.
void LzwDecoder::WidenIfFull() {
    if (nextSlot_ > codeMask_ && codeWidth_ < kMaxCodeWidth) {
        ++codeWidth_;
        codeMask_ = (1u << codeWidth_) - 1;
    }
}

// Copies 1 to 8 bytes with at most two fixed-size moves.
static inline void CopyShort(uint8_t* dst, const uint8_t* src, uint32_t n) {
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

// The last chunk goes first and is copied exactly, so nothing beyond the string is touched
// (a decoding that stops here must leave the rest of the row as it was); every chunk before
// it is full.
void LzwDecoder::Expand(uint8_t* dst, uint32_t code) const {
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

void LzwDecoder::Place(uint32_t code, Output& out) {
    const int32_t length = length_[code];
    if (out.column + length <= out.width) {
        Expand(out.row + out.column, code);
        out.column += length;
        if (out.column == out.width) out.NextRow();
        return;
    }
    PlaceAcrossRows(code, out);
}

void LzwDecoder::PlaceAcrossRows(uint32_t code, Output& out) {
    Expand(scratch_, code);
    const uint8_t* source = scratch_;
    int32_t remaining = length_[code];
    while (remaining > 0 && !out.rows.Done()) {
        const int32_t run = std::min(remaining, out.width - out.column);
        std::memcpy(out.row + out.column, source, static_cast<size_t>(run));
        source += run;
        remaining -= run;
        out.column += run;
        if (out.column == out.width) out.NextRow();
    }
}

void LzwDecoder::Refill() {
    if (position_ + 8 <= size_) {
        uint64_t word = 0;
        for (int i = 7; i >= 0; --i)
            word = (word << 8) | data_[position_ + i];
        bitBuffer_ |= word << bitCount_;
        position_ += static_cast<size_t>(63 - bitCount_) >> 3;
        bitCount_ |= 56;
        return;
    }
    while (bitCount_ <= 56 && position_ < size_) {
        bitBuffer_ |= static_cast<uint64_t>(data_[position_++]) << bitCount_;
        bitCount_ += 8;
    }
}

inline bool LzwDecoder::ReadCode(uint32_t& code) {
    if (bitCount_ < codeWidth_) {
        Refill();
        if (bitCount_ < codeWidth_) return false;  // the data ends inside this code
    }
    code = static_cast<uint32_t>(bitBuffer_) & codeMask_;
    bitBuffer_ >>= codeWidth_;
    bitCount_ -= codeWidth_;
    return true;
}
