#pragma once
// The pixel work behind BitBlt, StretchBlt and FillRect: clipping, stretching by dropping
// or repeating rows and columns, format conversion and the raster operations.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

class Bitmap;

// A rectangle given by a corner and signed extents. A negative extent runs from
// x + width to x; a source and destination whose extents differ in sign are mirrored.
struct BlitRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Draws `from` of `src` onto `to` of `dst` with a raster operation: kSrcCopy, kSrcAnd or
// kSrcPaint (false for any other). Destination pixel d of a span takes source pixel
// floor((d + 0.5) x source span / destination span): rows and columns are dropped or
// repeated, never blended. Only destination pixels whose source pixel lies inside the
// source bitmap and that lie inside the destination bitmap are written. Colours written
// into a bitmap of 8 bits or fewer become the index of the nearest colour-table entry;
// the raster operation then acts on the stored pixel values. src and dst may be the same
// bitmap.
bool StretchPixels(Bitmap& dst, const BlitRect& to, const Bitmap& src, const BlitRect& from,
                   std::uint32_t rop);

// Fills `rect` (clipped to the bitmap) with a colour, as the nearest colour-table entry on
// bitmaps of 8 bits or fewer.
void FillPixels(Bitmap& dst, const RECT& rect, COLORREF color);

}  // namespace platform::gdi
