#pragma once
// Where the mouse cursor is and which window lies topmost there (GetCursorPos and
// WindowFromPoint). The Qt host asks Qt; tests put the cursor wherever they need it.

namespace controls {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Identifies a window; only compared for identity.
using WindowHandle = const void*;

class CursorProbe {
  public:
    virtual ~CursorProbe() = default;
    virtual ScreenPoint GetCursorPos() const = 0;
    // The topmost window at `point`, or nullptr when none of ours is there.
    virtual WindowHandle WindowFromPoint(ScreenPoint point) const = 0;
};

}  // namespace controls
