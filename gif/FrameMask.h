#pragma once
// The mask of a frame, made from its colour indices.

#include <cstdint>
#include <climits>

namespace dib {
class Dib;
}  // namespace dib

namespace gif {

// Gives a 1-bit mask its colour table: entry 0 black (opaque), entry 1 white (transparent).
void SetMaskColours(dib::Dib& mask);

// Writes the 1-bit mask of an 8-bit colour bitmap in one pass, eight pixels a byte: a pixel
// whose index is transparentIndex gets the mask's colour-table entry nearest to white, every
// other pixel the entry nearest to black (with a mask's usual table, black then white: 1
// where transparent, 0 where opaque). Only the pixels both bitmaps have are written; the
// padding bits at the end of a mask row keep what they held. Does nothing unless both
// bitmaps exist, the colour bitmap with 8 bits a pixel and the mask with 1. Only the top
// `rows` rows are written when fewer are given (the rest of a frame whose data fell short).
//
// `instructions` chooses the widest instructions the processor has (AVX2 where there is
// it), or the ones every processor of the build's architecture has; both give the same bits.
enum class MaskInstructions { Widest, Baseline };
void BuildFrameMask(const dib::Dib& colours, std::uint8_t transparentIndex, dib::Dib& mask,
                    std::int32_t rows = INT32_MAX,
                    MaskInstructions instructions = MaskInstructions::Widest);

}  // namespace gif
