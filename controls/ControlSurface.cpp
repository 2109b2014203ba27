#include "ControlSurface.h"

namespace controls {

namespace gdi = platform::gdi;

ControlSurface::ControlSurface() : hdc_(gdi::CreateCompatibleDC(nullptr)) {}

ControlSurface::~ControlSurface() {
    Release();
    if (hdc_) gdi::DeleteDC(hdc_);
}

void ControlSurface::Release() {
    if (bitmap_) {
        gdi::SelectObject(hdc_, previous_);
        gdi::DeleteObject(bitmap_);
    }
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

bool ControlSurface::Resize(int width, int height) {
    Release();
    if (!hdc_) return false;
    if (width <= 0 || height <= 0) return true;
    gdi::BITMAPINFOHEADER header;
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;  // top-down, as the host presents it
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = gdi::kBiRgb;
    std::uint8_t* bits = nullptr;
    gdi::HBITMAP bitmap = gdi::CreateDIBSection(hdc_, header, nullptr, &bits);
    if (!bitmap) return false;
    previous_ = gdi::SelectObject(hdc_, bitmap);
    bitmap_ = bitmap;
    bits_ = bits;
    width_ = width;
    height_ = height;
    return true;
}

bool ControlSurface::Clear(gdi::COLORREF colour) {
    if (!bitmap_) return false;
    gdi::RECT all;
    gdi::SetRect(&all, 0, 0, width_, height_);
    gdi::HBRUSH brush = gdi::CreateSolidBrush(colour);
    const bool filled = gdi::FillRect(hdc_, &all, brush) != 0;
    gdi::DeleteObject(brush);
    return filled;
}

bool ControlSurface::Draw(const platform::Picture& picture, int x, int y) {
    if (!bitmap_) return false;
    return platform::DrawPicture(hdc_, picture, x, y);
}

}  // namespace controls
