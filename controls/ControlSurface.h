#pragma once
// A control's drawing surface (the platform's surface: a memory context with a 32-bit
// top-down bitmap of the client size) with the two things a control's own drawing does
// to it: clear it to a colour and draw a picture on it.

#include <cstdint>

#include "platform/Picture.h"
#include "platform/gdi/Surface.h"

namespace controls {

class ControlSurface {
  public:
    // A new surface of `width` x `height` pixels, cleared to black. A size of 0 leaves no
    // surface; false when it cannot be created (the old one is gone either way).
    bool Resize(int width, int height) { return surface_.Resize(width, height); }

    platform::gdi::HDC hDC() const { return surface_.hDC(); }
    int Width() const { return surface_.Width(); }
    int Height() const { return surface_.Height(); }
    // Rows of Width() pixels 0x00RRGGBB, top-down, Stride() bytes apart; null without a surface.
    const std::uint8_t* Bits() const { return surface_.Bits(); }
    int Stride() const { return surface_.Stride(); }

    // Fills the whole surface with `colour`. False without a surface.
    bool Clear(platform::gdi::COLORREF colour);
    // Draws `picture` at its natural size with its top-left corner at x, y.
    bool Draw(const platform::Picture& picture, int x, int y);

  private:
    platform::gdi::Surface surface_;
};

}  // namespace controls
