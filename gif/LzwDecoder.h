#pragma once
// Decompresses the LZW image data of one GIF frame (the joined payload of its data
// sub-blocks) into 8-bit colour indices, written straight into a bitmap's rows.
//
// Each table string is kept as a chain of 8-byte chunks: a code's own chunk holds the last
// 1 to 8 bytes of its string and its prefix names the code of everything before them, so
// that a string is copied 8 bytes at a time instead of one pixel per step. Each code also
// keeps its string's length and first byte, so nothing has to be walked to find them.
//
// The decoder never reports an error: whatever stops it (the end code, the end of the
// data, a corrupt code, every row complete) ends the frame, and what has been written stays.
// One object holds the working state of one decoding at a time; separate objects may
// decode side by side.

#include <cstddef>
#include <cstdint>

#include "gif/PixelView.h"

class LzwDecoder {
  public:
    // GIF codes are at most 12 bits wide, so the table has 4096 slots.
    static constexpr int kMaxCodeWidth = 12;
    static constexpr uint32_t kTableSize = 1u << kMaxCodeWidth;
    // The clear code (2 to the minimum code size) must leave room in the table for itself
    // and the end code; larger minimum code sizes are not LZW data we can decode.
    static constexpr int kMaxMinimumCodeSize = 11;

    // The tables are left uninitialised: a decoding only reads the roots and the slots it
    // has written itself.
    LzwDecoder() {}

    // Writes width pixels into each row of the view, rows in stream order (sequential or
    // interlaced). Pixels the data does not reach keep what the bitmap held.
    void Decode(const PixelView& view, int32_t width, bool interlaced, uint8_t minimumCodeSize,
                const uint8_t* data, size_t size);

  private:
    // Rows at least this wide are written in whole chunks (see Decode).
    static constexpr int32_t kWideRow = 64;

    // Writes the string of code to dst[0, length) exactly.
    void Expand(uint8_t* dst, uint32_t code) const;
    // The same, but may write up to 7 bytes past the string.
    void ExpandOvershooting(uint8_t* dst, uint32_t code) const;

    // The string table. Slots below the clear code are the one-byte roots.
    uint8_t chunk_[kTableSize][8];
    uint16_t prefix_[kTableSize];
    uint16_t length_[kTableSize];
    uint8_t firstByte_[kTableSize];

    uint32_t rootsReady_ = 0;  // slots below this hold their one-byte root string

    // A string that does not fit in the rest of a row is expanded here first.
    uint8_t scratch_[kTableSize];
};
