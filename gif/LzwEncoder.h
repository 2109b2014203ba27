#pragma once
// LZW compression of one frame's colour indices into the data sub-blocks of a GIF image
// block. The caller writes the minimum-code-size byte before and the zero-length block
// terminator after; the encoder writes only the sub-blocks (254 data bytes each, the last
// one 1 to 254), several at a time.
//
// The string table is started afresh (with a clear code) whenever all 4096 codes are taken.
// The output is the same byte for byte as every earlier release of this encoder produced,
// whose table was an open-addressing hash table of 5003 slots with a displacement probe
// (see LzwEncoder.cpp for how a faster table keeps those bytes).
//
// One object holds the working state of one encoding at a time (its tables, about 80 KB, and
// the sub-blocks being filled, 4 KB); separate objects may encode side by side.

#include <cstddef>
#include <cstdint>

#include "gif/GifByteSink.h"

namespace gif {

class LzwEncoder {
  public:
    // A read-only, row-addressed view of 8-bit colour indices: pixel (x, y) is the byte at
    // firstRow + y * stride + x. The encoder reads it in place, one row pointer at a time.
    struct IndexRows {
        const std::uint8_t* firstRow = nullptr;
        ptrdiff_t stride = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        // The bits the largest index needs, when the caller has found them (IndexBitsOf); 8
        // tells nothing, and the encoder looks for itself.
        int indexBits = 8;
    };

    // The bits the largest index of `pixels` needs (0 when all are 0).
    static int IndexBitsOf(const IndexRows& pixels);

    // Leaves the table as it is: every encoding clears what it uses first. (A defaulted
    // constructor would have `std::make_unique` zero all of it on every save.)
    LzwEncoder() {}
    LzwEncoder(const LzwEncoder&) = delete;
    LzwEncoder& operator=(const LzwEncoder&) = delete;

    // Compresses `pixels` with the given initial code width (minimum code size + 1) into
    // `out`. Interlaced frames are read in the four passes of the GIF standard (rows 0, 8,
    // 16 ...; 4, 12 ...; 2, 6 ...; 1, 3 ...), for any height. Writes nothing for an empty
    // view or an initial width outside 3 to 9 (8-bit indices never need more). Indices at or
    // above the clear code are not checked: they make data that decoders reject or misread.
    // Sink errors propagate to the caller. Each write to the sink holds whole sub-blocks, up
    // to kChunkBlocks of them.
    void Encode(GifByteSink& out, const IndexRows& pixels, std::uint8_t initialWidth,
                bool interlaced);

    static constexpr std::int32_t kTableSize = 5003;       // prime; 4096 codes fill it to about 82%
    static constexpr std::int32_t kFastTableSize = 16384;  // a power of two, filled to at most 25%
    static constexpr int kBlockData = 254;
    static constexpr int kChunkBlocks = 16;

  private:
    // The codes go into buffer_ as a plain byte stream from kChunkBlocks on; once it holds
    // kChunkBlocks blocks' worth, the blocks are moved down in place, each behind its length
    // byte, and written in one piece.
    static constexpr int kChunkBytes = kChunkBlocks * (kBlockData + 1);
    // Pixels are taken in runs of at most kRunLimit between the checks for a full chunk:
    // room for the codes of one run (and a clear code) past the chunk.
    static constexpr int kRunLimit = 256;
    static constexpr int kSlack = kRunLimit * 12 / 8 + 16;

    template <bool kIndicesChecked>
    void EncodeRows(GifByteSink& out, const IndexRows& pixels, std::uint32_t initialWidth,
                    bool interlaced);
    std::uint8_t* WriteChunk(GifByteSink& out, std::uint8_t* at);
    void WriteRest(GifByteSink& out, std::uint8_t* at);
    void WriteBlocks(GifByteSink& out, size_t count);
    void MoveToOldTable(std::uint32_t firstCode, std::uint32_t nextCode);

    // The old table. The string of code `prefix` followed by pixel `c` has the key
    // c * 4096 + prefix + 1 (never 0), kept in keys_, its code in codes_ at the same slot; key
    // 0 is an empty slot.
    std::uint32_t keys_[kTableSize];
    std::uint16_t codes_[kTableSize];
    // The same strings with linear probing: the code times 4, 0 for an empty slot (codes start
    // above the clear code); the string of each code, pixel * 16384 + prefix code * 4, in
    // stringOf_ (one more for the code given out as the table fills).
    std::uint16_t fast_[kFastTableSize];
    std::uint32_t stringOf_[4097];
    std::uint8_t buffer_[kChunkBytes + kSlack];
};

}  // namespace gif
