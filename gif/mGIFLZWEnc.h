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
// The working state is shared module-wide: one frame is encoded at a time.

#include <cstddef>
#include <cstdint>

#include "gif/GifByteSink.h"

struct GifFrame;

namespace mGIFLZWEnc {

// A read-only, row-addressed view of 8-bit colour indices: pixel (x, y) is the byte at
// firstRow + y * stride + x. The encoder reads it in place, one row pointer at a time.
struct IndexRows {
    const uint8_t* firstRow = nullptr;
    ptrdiff_t stride = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Prepares the shared state; every GifImage runs it when it is created. Encoding resets the
// state it uses itself, so running it again is harmless.
void InitEncoder();

// Compresses `pixels` with the given initial code width (minimum code size + 1) into `out`.
// Interlaced frames are read in the four passes of the GIF standard (rows 0, 8, 16 ...;
// 4, 12 ...; 2, 6 ...; 1, 3 ...), for any height. Writes nothing for an empty view or an
// initial width outside 3 to 9 (8-bit indices never need more). Indices at or above the
// clear code are not checked: they make data that decoders reject or misread. Sink errors
// propagate to the caller.
void EncodeRows(GifByteSink& out, const IndexRows& pixels, uint8_t initialWidth, bool interlaced);

// Compresses the frame's colour bitmap, read in place. A bitmap that is not 8 bits per
// pixel, or holds no pixels, gives no sub-blocks at all.
void EncodeLZW(GifByteSink& file, const GifFrame& frame, uint8_t initialWidth, bool interlaced);

}  // namespace mGIFLZWEnc
