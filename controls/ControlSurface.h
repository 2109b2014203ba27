#pragma once
// A control's drawing surface: a 32-bit top-down DIB section of the control's client size,
// selected into a memory device context of its own. The control draws into it; the host
// presents its pixels on the screen.

#include <cstdint>

#include "platform/Picture.h"
#include "platform/gdi/Gdi.h"

namespace controls {

class ControlSurface {
  public:
    ControlSurface();
    ~ControlSurface();
    ControlSurface(const ControlSurface&) = delete;
    ControlSurface& operator=(const ControlSurface&) = delete;

    // A new surface of `width` x `height` pixels, cleared to black. A size of 0 leaves no
    // surface; false when it cannot be created (the old one is gone either way).
    bool Resize(int width, int height);

    platform::gdi::HDC hDC() const { return hdc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Rows of Width() pixels 0x00RRGGBB, top-down, Stride() bytes apart; null without a surface.
    const std::uint8_t* Bits() const { return bits_; }
    int Stride() const { return width_ * 4; }

    // Fills the whole surface with `colour`. False without a surface.
    bool Clear(platform::gdi::COLORREF colour);
    // Draws `picture` at its natural size with its top-left corner at x, y.
    bool Draw(const platform::Picture& picture, int x, int y);

  private:
    void Release();

    platform::gdi::HDC hdc_ = nullptr;
    platform::gdi::HBITMAP bitmap_ = nullptr;
    platform::gdi::HBITMAP previous_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace controls
