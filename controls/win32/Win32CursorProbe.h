#pragma once
// The cursor and the window under it, as the system itself reports them.

#include <windows.h>

#include "controls/CursorProbe.h"

namespace controls {

class Win32CursorProbe : public CursorProbe {
  public:
    ScreenPoint GetCursorPos() const override {
        POINT point{};
        ::GetCursorPos(&point);
        return {point.x, point.y};
    }
    WindowHandle WindowFromPoint(ScreenPoint point) const override {
        return ::WindowFromPoint(POINT{point.x, point.y});
    }
};

}  // namespace controls
