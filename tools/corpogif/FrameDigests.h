#pragma once
// Fingerprints of a frame's bitmaps that other decoders' output can be compared with.

#include <string>

namespace dib {
class Dib;
}  // namespace dib

namespace corpogif {

// MD5 of the colour indices row by row from the top, Width bytes a row (no padding);
// empty for a bitmap without pixels.
std::string IndicesMd5(const dib::Dib& colour);
// MD5 of the mask bits unpacked to one byte (0 or 1) a pixel, rows from the top; empty
// for a bitmap without pixels.
std::string MaskMd5(const dib::Dib& mask);

}  // namespace corpogif
