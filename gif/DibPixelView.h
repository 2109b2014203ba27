#pragma once
// The pixel view over a Dib's memory, through which the LZW decoder writes and the LZW
// encoder reads colour indices in place.

#include "gif/PixelView.h"

namespace dib {
class Dib;
}  // namespace dib

namespace gif {

// Row y of the view is row y of the picture from the top (bitmaps made by Create are
// top-down). An empty view for a bitmap without pixel memory.
PixelView PixelViewOf(const dib::Dib& dib);

}  // namespace gif
