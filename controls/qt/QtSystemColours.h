#pragma once
// The platform's system colours as the running Qt application shows them: controls that
// clear to the button face then match the widgets around them.

class QPalette;

namespace controls {

// Sets the button-face system colour from the palette's button colour.
void TakeSystemColoursFrom(const QPalette& palette);

}  // namespace controls
