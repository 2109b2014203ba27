#include "controls/ControlSurface.h"

namespace controls {

namespace gdi = platform::gdi;

bool ControlSurface::Clear(gdi::COLORREF colour) {
    if (!Bits()) return false;
    gdi::RECT all;
    gdi::SetRect(&all, 0, 0, Width(), Height());
    gdi::HBRUSH brush = gdi::CreateSolidBrush(colour);
    const bool filled = gdi::FillRect(hDC(), &all, brush) != 0;
    gdi::DeleteObject(brush);
    return filled;
}

bool ControlSurface::Draw(const platform::Picture& picture, int x, int y) {
    if (!Bits()) return false;
    return platform::DrawPicture(hDC(), picture, x, y);
}

}  // namespace controls
