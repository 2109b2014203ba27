#pragma once
// The cursor probe of a running Qt application: Qt's cursor position and the widget that
// lies topmost under it.

#include "CursorProbe.h"

namespace controls {

class QtCursorProbe : public CursorProbe {
  public:
    ScreenPoint GetCursorPos() const override;
    WindowHandle WindowFromPoint(ScreenPoint point) const override;

    // One probe serves every control.
    static const QtCursorProbe& Instance();
};

}  // namespace controls
