#pragma once
// OLE colours as the colour references that brushes take.

#include "platform/SystemColors.h"

namespace controls {

// The colour reference of an OLE colour, system colours resolved; black for a colour that
// cannot be translated.
inline platform::gdi::COLORREF TranslatedColour(platform::OLE_COLOR colour) {
    return platform::TranslatedColorOrBlack(colour);
}

}  // namespace controls
