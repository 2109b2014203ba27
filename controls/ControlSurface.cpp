#include "controls/ControlSurface.h"

namespace controls {

namespace gdi = platform::gdi;

bool ControlSurface::Clear(gdi::COLORREF colour) {
    if (!Bits()) return false;
    return gdi::FillRectWithColor(hDC(), gdi::RECT{0, 0, Width(), Height()}, colour) != 0;
}

bool ControlSurface::Draw(const platform::Picture& picture, int x, int y) {
    if (!Bits()) return false;
    return platform::DrawPicture(hDC(), picture, x, y);
}

}  // namespace controls
