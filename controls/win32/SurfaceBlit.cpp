#include "controls/win32/SurfaceBlit.h"

namespace controls {

bool BlitPixels(HDC dc, const void* bits, int width, int height, int stride, const RECT& target) {
    if (bits == nullptr || width < 1 || height < 1 || stride != width * 4) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top, as the surface keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int targetWidth = target.right - target.left;
    const int targetHeight = target.bottom - target.top;
    if (targetWidth == width && targetHeight == height) {
        return SetDIBitsToDevice(dc, target.left, target.top, width, height, 0, 0, 0, height,
                                 bits, &info, DIB_RGB_COLORS) != 0;
    }
    const int previous = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);  // halftoning asks for it
    const bool drawn = StretchDIBits(dc, target.left, target.top, targetWidth, targetHeight, 0, 0,
                                     width, height, bits, &info, DIB_RGB_COLORS, SRCCOPY) != 0;
    SetStretchBltMode(dc, previous);
    return drawn;
}

bool BlitSurface(HDC dc, const ControlSurface& surface, const RECT& target) {
    return BlitPixels(dc, surface.Bits(), surface.DeviceWidth(), surface.DeviceHeight(),
                      surface.Stride(), target);
}

bool BlitPicture(HDC dc, const platform::Picture& picture, const RECT& target) {
    return BlitPixels(dc, picture.Pixels().data(), picture.Width(), picture.Height(),
                      picture.Width() * 4, target);
}

}  // namespace controls
