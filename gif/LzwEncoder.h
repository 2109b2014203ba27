#pragma once
// LZW compression of one frame's colour indices into the data sub-blocks of a GIF image
// block. The caller writes the minimum-code-size byte before and the zero-length block
// terminator after; the encoder writes only the sub-blocks (254 data bytes each, the last
// one 1 to 254).
//
// The string table is an open-addressing hash table of 5003 slots with a displacement probe,
// started afresh (with a clear code) whenever all 4096 codes are taken, so the output is the
// same byte for byte as every earlier release of this encoder produced.
//
// One object holds the working state of one encoding at a time (its table, about 40 KB, and
// the sub-block being filled); separate objects may encode side by side.

#include <cstddef>
#include <cstdint>

#include "gif/GifByteSink.h"

class LzwEncoder {
  public:
    // A read-only, row-addressed view of 8-bit colour indices: pixel (x, y) is the byte at
    // firstRow + y * stride + x. The encoder reads it in place, one row pointer at a time.
    struct IndexRows {
        const uint8_t* firstRow = nullptr;
        ptrdiff_t stride = 0;
        int32_t width = 0;
        int32_t height = 0;
    };

    // Leaves the table as it is: every encoding clears what it uses first. (A defaulted
    // constructor would have `std::make_unique` zero all 40 KB on every save.)
    LzwEncoder() {}
    LzwEncoder(const LzwEncoder&) = delete;
    LzwEncoder& operator=(const LzwEncoder&) = delete;

    // Compresses `pixels` with the given initial code width (minimum code size + 1) into
    // `out`. Interlaced frames are read in the four passes of the GIF standard (rows 0, 8,
    // 16 ...; 4, 12 ...; 2, 6 ...; 1, 3 ...), for any height. Writes nothing for an empty
    // view or an initial width outside 3 to 9 (8-bit indices never need more). Indices at or
    // above the clear code are not checked: they make data that decoders reject or misread.
    // Sink errors propagate to the caller.
    void Encode(GifByteSink& out, const IndexRows& pixels, uint8_t initialWidth, bool interlaced);

    static constexpr int32_t kTableSize = 5003;  // prime; 4096 codes fill it to about 82%

    // Key and code of one slot side by side, so a probe touches one cache line.
    struct Slot {
        int32_t key;  // -1: empty
        int32_t code;
    };

  private:
    void ClearTable();

    Slot table_[kTableSize];
    uint8_t block_[256];  // [0] receives the length; data at 1 to 254
};
