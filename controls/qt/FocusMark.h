#pragma once
// The mark of a control that has the keyboard focus: a dotted frame a little inside its edge,
// the same on every control that shows one.

class QPainter;
class QRect;

namespace controls {

// Draws the mark inside `bounds` (the control's whole rectangle).
void DrawFocusMark(QPainter& painter, const QRect& bounds);

}  // namespace controls
