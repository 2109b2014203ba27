#include "platform/gdi/Surface.h"

namespace platform::gdi {

Surface::Surface() : dc_(CreateCompatibleDC(nullptr)) {}

Surface::~Surface() {
    Release();
    DeleteDC(dc_);
}

void Surface::Release() {
    if (bitmap_ == nullptr) return;
    SelectObject(dc_, stock_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
}

bool Surface::Resize(std::int32_t width, std::int32_t height) {
    Release();
    if (dc_ == nullptr || width < 1 || height < 1) return dc_ != nullptr;
    BITMAPINFOHEADER header;
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, header, nullptr, nullptr);
    if (bitmap_ == nullptr) return false;
    stock_ = SelectObject(dc_, bitmap_);
    return true;
}

}  // namespace platform::gdi
