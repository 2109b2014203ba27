#pragma once
// Drawing one frame with its transparency.
//
// Transparency uses two raster passes: the mask is ANDed onto the destination (white keeps
// it, black clears it), then the colour bitmap, whose transparent entry is black, is ORed
// on top.

#include <cstdint>

#include "gif/GifModel.h"
#include "platform/gdi/Gdi.h"

namespace gif {

// Draws the frame at its position scaled by `scale`, the logical screen's top-left corner
// at (left, top) of the destination; with cropToScreen, the parts right of and below the
// logical screen are left out. Throws platform::MissingObjectError for a frame without
// bitmaps, std::overflow_error for sizes or positions that do not compute.
void DrawFrame(const GifFrame& frame, const GifScreen& screen, platform::gdi::HDC dc,
               std::int16_t left, std::int16_t top, float scale, bool cropToScreen);

}  // namespace gif
