#pragma once
// Twips (app/core/Twips.h) as the Qt windows place their controls: rectangles in pixels.

#include <QRect>

#include "app/core/Twips.h"

namespace ui {

namespace Twips {

using core::Twips::kTwipsPerPixel;
using core::Twips::Rectangle;
using core::Twips::ToPixels;

inline QRect ToPixels(const Rectangle& twips) {
    return {ToPixels(twips.left), ToPixels(twips.top), ToPixels(twips.width),
            ToPixels(twips.height)};
}

// A control's rectangle given in twips (left, top, width, height).
inline QRect Rect(int left, int top, int width, int height) {
    return ToPixels(Rectangle{left, top, width, height});
}

}  // namespace Twips

}  // namespace ui
