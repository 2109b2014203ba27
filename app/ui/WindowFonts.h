#pragma once
// The windows' fonts. Sizes are given in points as designed at 96 dots per inch and set
// in pixels, so text keeps its size inside the fixed pixel layout whatever the screen's
// reported resolution.

#include <QFont>
#include <QString>

namespace ui {

namespace WindowFonts {

// Registers the free Tahoma that the Wine fonts ship, when it is installed.
void RegisterBundledFonts();

// The pixel size of a font of `points` at 96 dots per inch.
int PixelsOf(double points);

QFont Font(const QString& family, double points, bool bold = false);
// Changes the size of `font`, keeping family and weight.
QFont Resized(QFont font, double points);

}  // namespace WindowFonts

}  // namespace ui
