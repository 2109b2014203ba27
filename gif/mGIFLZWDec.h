#pragma once
// LZW decoding of one frame's image data into its colour bitmap.

#include <cstddef>
#include <cstdint>

struct GifFrame;

namespace mGIFLZWDec {

// Decodes the joined payload of a frame's data sub-blocks into the frame's 8-bit colour
// bitmap, rows in sequential or interlaced order. Writes nothing unless the colour bitmap
// exists with 8 bits per pixel. Never reports an error: the pixels written before
// whatever stopped the decoding stay, the rest keep what the bitmap held.
void DecodeLZW(GifFrame& frame, bool interlaced, uint8_t minimumCodeSize, const uint8_t* data,
               size_t size);

}  // namespace mGIFLZWDec
