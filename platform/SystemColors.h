#pragma once
// The system colour table and the translation of OLE colours into colour references.
//
// An OLE colour is a colour reference (red + 256 x green + 65536 x blue) or, with the high
// bit set, a reference to system colour number `low byte`. The table starts with the
// platform's default scheme; a host with a desktop palette may replace entries.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace platform {

using OLE_COLOR = std::uint32_t;

constexpr int kColorBtnFace = 15;
constexpr int kSystemColorCount = 31;
constexpr OLE_COLOR kOleButtonFace = 0x80000000u | kColorBtnFace;  // 0x8000000F

// The colour of system colour `index`, or 0 (black) for an index outside the table.
gdi::COLORREF GetSysColor(int index);
// Replaces one entry (ignored outside the table).
void SetSysColor(int index, gdi::COLORREF color);
// Puts the default scheme back.
void ResetSysColors();

// Translates an OLE colour. A plain colour reference (high byte 0, or 2 for the
// palette-relative form) gives its low 24 bits; 0x80000000 + n gives system colour n.
// Anything else (a palette index without a palette, a system colour past the table)
// fails: false, and `rgb` is not written.
bool OleTranslateColor(OLE_COLOR color, gdi::COLORREF* rgb);
// The colour reference of an OLE colour, system colours resolved; black, the value a
// colour starts at, for one that does not translate.
gdi::COLORREF TranslatedColorOrBlack(OLE_COLOR color);

}  // namespace platform
