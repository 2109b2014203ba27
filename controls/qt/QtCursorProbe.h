#pragma once
// The cursor as one widget knows it: where the last mouse event it was sent put the cursor,
// and whether the pointer is over it by its own enter and leave notices. Nothing asks the
// display server where the cursor is or which window lies under it: Wayland has no such
// question, and under X11 each would be a round trip. A window that comes up over the
// widget under the cursor takes the pointer, and the platform sends the leave notice.

#include <QPointF>

#include "controls/CursorProbe.h"

class QWidget;

namespace controls {

class QtCursorProbe : public CursorProbe {
  public:
    explicit QtCursorProbe(const QWidget& widget) : widget_(widget) {}

    // The widget's notices, positions in its own coordinates.
    void Entered(const QPointF& position);
    void Left();
    // A mouse event reached the widget at `position`. One inside the widget shows that the
    // pointer is over it even without an enter notice (as after a popup menu has closed).
    void Moved(const QPointF& position);

    ScreenPoint GetCursorPos() const override;
    // The widget when the pointer is over it and `point` lies within it; otherwise none.
    WindowHandle WindowFromPoint(ScreenPoint point) const override;

  private:
    const QWidget& widget_;
    QPointF position_;
    bool pointerInside_ = false;
};

}  // namespace controls
