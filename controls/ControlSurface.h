#pragma once
// A control's drawing surface (the platform's surface: a memory context with a 32-bit
// top-down bitmap of the client size) with the two things a control's own drawing does
// to it: clear it to a colour and draw a picture on it. The surface has a density of its
// own, the screen's: each pixel of the control is PixelRatio() x PixelRatio() device pixels,
// and both steps paint at that density.

#include <cstdint>

#include "platform/Picture.h"
#include "platform/gdi/Surface.h"

namespace controls {

class ControlSurface {
  public:
    // A new surface of `width` x `height` pixels, cleared to black. A size of 0 leaves no
    // surface; false when it cannot be created (the old one is gone either way).
    bool Resize(int width, int height);
    // Device pixels to a pixel, 1 or more (1 until set). A change makes a new surface of the
    // same size in pixels, cleared to black; false when it cannot be created.
    bool SetPixelRatio(int ratio);
    int PixelRatio() const { return ratio_; }

    // In pixels.
    int Width() const { return surface_.Width() / ratio_; }
    int Height() const { return surface_.Height() / ratio_; }

    // What the host shows: a context that draws in device pixels, and rows of DeviceWidth()
    // pixels 0x00RRGGBB, top-down, Stride() bytes apart (null without a surface).
    platform::gdi::HDC hDC() const { return surface_.hDC(); }
    int DeviceWidth() const { return surface_.Width(); }
    int DeviceHeight() const { return surface_.Height(); }
    const std::uint8_t* Bits() const { return surface_.Bits(); }
    int Stride() const { return surface_.Stride(); }

    // Fills the whole surface with `colour`. False without a surface.
    bool Clear(platform::gdi::COLORREF colour);
    // Draws `picture` at its natural size in pixels with its top-left corner at x, y: at a
    // ratio above 1 from its drawing for that density (HighDensityDrawing) when it has one,
    // else with each of its pixels a square of device pixels (never blurred).
    bool Draw(const platform::Picture& picture, int x, int y);

  private:
    platform::gdi::Surface surface_;
    int ratio_ = 1;
};

}  // namespace controls
