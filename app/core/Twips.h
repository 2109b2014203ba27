#pragma once
// The windows' layouts are given in twips, 15 to a pixel at 96 dots per inch; a length in
// twips becomes the nearest whole number of pixels. Free of any toolkit, so that every front
// end places its controls from the same tables.

namespace core {

namespace Twips {

inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A control's rectangle in twips, as a design table gives it.
struct Rectangle {
    int left, top, width, height;
};

}  // namespace Twips

}  // namespace core
