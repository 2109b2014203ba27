#pragma once
// The colours the windows were designed in, complete: black text on light panels, white
// text boxes and lists, a blue selection. A window that sets this palette looks the same on
// every desktop, a dark one included, since no colour role is left to the desktop's palette.

#include <QColor>
#include <QPalette>

namespace ui {

// `face`: the window's own background colour.
QPalette DesignPalette(const QColor& face);

}  // namespace ui
