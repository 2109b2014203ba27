#pragma once
// The windows' layouts are given in twips, 15 to a pixel; a length in twips becomes the
// nearest whole number of pixels.

#include <QRect>

namespace Twips {

inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A control's rectangle given in twips (left, top, width, height).
inline QRect Rect(int left, int top, int width, int height) {
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

}  // namespace Twips
