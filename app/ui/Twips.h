#pragma once
// The windows' layouts are given in twips, 15 to a pixel; a length in twips becomes the
// nearest whole number of pixels.

#include <QRect>

namespace ui {

namespace Twips {

inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A control's rectangle in twips, as a design table gives it.
struct Rectangle {
    int left, top, width, height;
};

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
