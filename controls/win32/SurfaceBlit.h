#pragma once
// Shows a control's surface on a window's device context in one blit: device pixel for device
// pixel when the sizes agree, else stretched (with halftoning, so that a surface drawn at the
// next whole density up shrinks smoothly onto a screen of 150%).

#include <windows.h>

#include "controls/ControlSurface.h"
#include "platform/Picture.h"

namespace controls {

// Paints `surface` into `target` (in the context's device pixels). False when the surface
// has no pixels or the blit fails.
bool BlitSurface(HDC dc, const ControlSurface& surface, const RECT& target);

// The same for rows of 0x00RRGGBB pixels, `stride` bytes apart, top-down.
bool BlitPixels(HDC dc, const void* bits, int width, int height, int stride, const RECT& target);

// The same for a picture's pixels (its alpha is not looked at).
bool BlitPicture(HDC dc, const platform::Picture& picture, const RECT& target);

}  // namespace controls
