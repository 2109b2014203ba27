#include "platform/SystemColors.h"

#include <array>

namespace platform {

namespace {

using gdi::MakeColorRef;

// The platform's default colour scheme, by system colour number.
constexpr std::array<gdi::COLORREF, kSystemColorCount> kDefaultScheme = {
    MakeColorRef(200, 200, 200),  //  0 scroll bar
    MakeColorRef(0, 0, 0),        //  1 desktop
    MakeColorRef(153, 180, 209),  //  2 active caption
    MakeColorRef(191, 205, 219),  //  3 inactive caption
    MakeColorRef(240, 240, 240),  //  4 menu
    MakeColorRef(255, 255, 255),  //  5 window
    MakeColorRef(100, 100, 100),  //  6 window frame
    MakeColorRef(0, 0, 0),        //  7 menu text
    MakeColorRef(0, 0, 0),        //  8 window text
    MakeColorRef(0, 0, 0),        //  9 caption text
    MakeColorRef(180, 180, 180),  // 10 active border
    MakeColorRef(244, 247, 252),  // 11 inactive border
    MakeColorRef(171, 171, 171),  // 12 application workspace
    MakeColorRef(0, 120, 215),    // 13 highlight
    MakeColorRef(255, 255, 255),  // 14 highlight text
    MakeColorRef(240, 240, 240),  // 15 button face
    MakeColorRef(160, 160, 160),  // 16 button shadow
    MakeColorRef(109, 109, 109),  // 17 grey text
    MakeColorRef(0, 0, 0),        // 18 button text
    MakeColorRef(0, 0, 0),        // 19 inactive caption text
    MakeColorRef(255, 255, 255),  // 20 button highlight
    MakeColorRef(105, 105, 105),  // 21 3-D dark shadow
    MakeColorRef(227, 227, 227),  // 22 3-D light
    MakeColorRef(0, 0, 0),        // 23 tooltip text
    MakeColorRef(255, 255, 225),  // 24 tooltip background
    MakeColorRef(0, 0, 0),        // 25 (unused)
    MakeColorRef(0, 102, 204),    // 26 hot-tracked item
    MakeColorRef(185, 209, 234),  // 27 active caption gradient
    MakeColorRef(215, 228, 242),  // 28 inactive caption gradient
    MakeColorRef(0, 120, 215),    // 29 menu highlight
    MakeColorRef(240, 240, 240),  // 30 menu bar
};

std::array<gdi::COLORREF, kSystemColorCount>& Scheme() {
    static std::array<gdi::COLORREF, kSystemColorCount> scheme = kDefaultScheme;
    return scheme;
}

}  // namespace

gdi::COLORREF GetSysColor(int index) {
    if (index < 0 || index >= kSystemColorCount) return 0;
    return Scheme()[static_cast<std::size_t>(index)];
}

void SetSysColor(int index, gdi::COLORREF color) {
    if (index < 0 || index >= kSystemColorCount) return;
    Scheme()[static_cast<std::size_t>(index)] = color & 0xFFFFFF;
}

void ResetSysColors() {
    Scheme() = kDefaultScheme;
}

bool OleTranslateColor(OLE_COLOR color, gdi::COLORREF* rgb) {
    const std::uint32_t kind = color >> 24;
    gdi::COLORREF result = 0;
    if (kind == 0x00 || kind == 0x02) {
        result = color & 0xFFFFFF;
    } else if (kind == 0x80) {
        const std::uint32_t index = color & 0xFFFFFF;
        if (index >= static_cast<std::uint32_t>(kSystemColorCount)) return false;
        result = GetSysColor(static_cast<int>(index));
    } else {
        return false;
    }
    if (rgb != nullptr) *rgb = result;
    return true;
}

gdi::COLORREF TranslatedColorOrBlack(OLE_COLOR color) {
    gdi::COLORREF rgb = 0;
    OleTranslateColor(color, &rgb);
    return rgb;
}

}  // namespace platform
