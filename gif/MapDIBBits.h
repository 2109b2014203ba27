#pragma once
// The pixel view over a cDIB's memory, through which the LZW decoder writes and the LZW
// encoder reads colour indices in place.

#include "PixelView.h"

class cDIB;

// Row y of the view is row y of the picture from the top (bitmaps made by Create are
// top-down). An empty view for a bitmap without pixel memory.
PixelView MapDIBBits(const cDIB& dib);
