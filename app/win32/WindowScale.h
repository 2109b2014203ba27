#pragma once
// A window's lengths on a screen of some density: the layouts are in twips (15 to a pixel at
// 96 dots per inch), a pixel becomes dpi / 96 device pixels. Pixels are rounded from twips
// first, as the Qt window rounds them, so that at 200% every rectangle is exactly twice the
// one at 100%.

#include <windows.h>

#include "app/core/Twips.h"

namespace win32 {

class WindowScale {
  public:
    explicit WindowScale(int dpi = USER_DEFAULT_SCREEN_DPI) : dpi_(dpi) {}

    int Dpi() const { return dpi_; }
    double Factor() const { return dpi_ / double(USER_DEFAULT_SCREEN_DPI); }

    // Pixels to device pixels.
    int Device(int pixels) const { return MulDiv(pixels, dpi_, USER_DEFAULT_SCREEN_DPI); }
    // Twips to device pixels.
    int FromTwips(int twips) const { return Device(core::Twips::ToPixels(twips)); }
    // A rectangle of a layout table, inside a panel given in twips (or the window itself).
    RECT Rectangle(const core::Twips::Rectangle& twips,
                   const core::Twips::Rectangle& panel = {0, 0, 0, 0}) const {
        using core::Twips::ToPixels;
        const int left = ToPixels(panel.left) + ToPixels(twips.left);
        const int top = ToPixels(panel.top) + ToPixels(twips.top);
        return {Device(left), Device(top), Device(left) + Device(ToPixels(twips.width)),
                Device(top) + Device(ToPixels(twips.height))};
    }
    // A font's height in device pixels for its size in points (negative: the character's
    // height, not the cell's, as sizes in points are meant).
    int FontHeight(double points) const {
        return -static_cast<int>(points * dpi_ / 72.0 + 0.5);
    }

  private:
    int dpi_;
};

}  // namespace win32
