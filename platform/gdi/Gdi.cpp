#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/gdi/Blitter.h"

namespace platform::gdi {

namespace {

DeviceContext* ScreenContext() {
    static DeviceContext screen(DeviceContext::Kind::Screen);
    return &screen;
}

Bitmap* TargetOf(HDC hdc) {
    return hdc != nullptr ? hdc->SelectedBitmap() : nullptr;
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
    return new (std::nothrow) DeviceContext(DeviceContext::Kind::Memory);
}

bool DeleteDC(HDC hdc) {
    if (hdc == nullptr || hdc->IsScreen()) return false;
    delete hdc;
    return true;
}

HDC GetDC(const void*) {
    return ScreenContext();
}

int ReleaseDC(const void*, HDC hdc) {
    return hdc == ScreenContext() ? 1 : 0;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFOHEADER& header, const RGBQUAD* colors,
                         std::uint8_t** bits, PixelStart start) {
    if (bits != nullptr) *bits = nullptr;
    if (header.biSize < 40 || header.biPlanes != 1) return nullptr;
    if (header.biHeight == 0 || header.biHeight == INT32_MIN) return nullptr;
    const int bitCount = header.biBitCount;
    std::unique_ptr<Bitmap> bitmap;
    const bool topDown = header.biHeight < 0;
    const std::int32_t height = topDown ? -header.biHeight : header.biHeight;
    if (header.biCompression == kBiBitfields) {
        if (!HasChannelMasks(bitCount) || colors == nullptr) return nullptr;
        std::uint32_t m[3];
        std::memcpy(m, colors, sizeof m);
        bitmap =
            Bitmap::Create(header.biWidth, height, bitCount, topDown, {m[0], m[1], m[2]}, start);
    } else if (header.biCompression == kBiRgb) {
        bitmap = Bitmap::Create(header.biWidth, height, bitCount, topDown, start);
        if (bitmap && colors != nullptr && bitmap->ColorCount() > 0) {
            const std::uint32_t wanted = header.biClrUsed != 0 ? header.biClrUsed : 256u;
            const int n = static_cast<int>(
                std::min<std::uint32_t>(wanted, static_cast<std::uint32_t>(bitmap->ColorCount())));
            std::copy(colors, colors + n, bitmap->ColorTable());
        }
    }
    if (!bitmap) return nullptr;
    if (bits != nullptr) *bits = bitmap->Bits();
    return bitmap.release();
}

HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height) {
    if (width == 0 || height == 0) {
        std::unique_ptr<Bitmap> mono = Bitmap::Create(1, 1, 1, true);
        if (mono) mono->SetMonochromeColours();
        return mono.release();
    }
    const Bitmap* model = TargetOf(hdc);
    if (model == nullptr || model->IsStock()) {
        // The screen is 32 bits a pixel; a fresh memory context holds the monochrome
        // stock bitmap, so its compatible bitmaps are monochrome, as on the platform.
        if (model == nullptr) return Bitmap::Create(width, height, 32, true).release();
        std::unique_ptr<Bitmap> mono = Bitmap::Create(width, height, 1, true);
        if (mono) mono->SetMonochromeColours();
        return mono.release();
    }
    std::unique_ptr<Bitmap> b =
        Bitmap::Create(width, height, model->BitCount(), true, model->Masks());
    if (b)
        std::copy(model->ColorTable(), model->ColorTable() + model->ColorCount(), b->ColorTable());
    return b.release();
}

HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
    if (hdc == nullptr || bitmap == nullptr) return nullptr;
    return hdc->SelectBitmap(bitmap);
}

bool DeleteObject(HGDIOBJ object) {
    if (object == nullptr) return false;
    switch (object->Type()) {
        case ObjectType::Bitmap: {
            auto* bitmap = static_cast<Bitmap*>(object);
            if (bitmap->IsStock()) return true;
            if (bitmap->SelectedInto() != nullptr) return false;
            delete bitmap;
            return true;
        }
        case ObjectType::Brush:
        case ObjectType::Region:
            delete object;
            return true;
        default:
            return false;  // contexts go through DeleteDC
    }
}

ObjectType GetObjectType(const GdiObject* object) {
    return object != nullptr ? object->Type() : ObjectType::None;
}

bool GetObject(HBITMAP bitmap, BITMAP* description) {
    if (bitmap == nullptr || description == nullptr) return false;
    description->bmType = 0;
    description->bmWidth = bitmap->Width();
    description->bmHeight = bitmap->Height();
    description->bmWidthBytes = bitmap->Stride();
    description->bmPlanes = 1;
    description->bmBitsPixel = static_cast<std::uint16_t>(bitmap->BitCount());
    description->bmBits = bitmap->Bits();
    return true;
}

std::uint32_t GetDIBColorTable(HDC hdc, std::uint32_t start, std::uint32_t count, RGBQUAD* colors) {
    const Bitmap* b = TargetOf(hdc);
    if (b == nullptr || colors == nullptr) return 0;
    const std::uint32_t size = static_cast<std::uint32_t>(b->ColorCount());
    if (start >= size) return 0;
    const std::uint32_t n = std::min(count, size - start);
    std::copy(b->ColorTable() + start, b->ColorTable() + start + n, colors);
    return n;
}

std::uint32_t SetDIBColorTable(HDC hdc, std::uint32_t start, std::uint32_t count,
                               const RGBQUAD* colors) {
    Bitmap* b = TargetOf(hdc);
    if (b == nullptr || b->IsStock() || colors == nullptr) return 0;
    const std::uint32_t size = static_cast<std::uint32_t>(b->ColorCount());
    if (start >= size) return 0;
    const std::uint32_t n = std::min(count, size - start);
    std::copy(colors, colors + n, b->ColorTable() + start);
    return n;
}

int GetStretchBltMode(HDC hdc) {
    return hdc != nullptr ? hdc->StretchMode() : 0;
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (hdc == nullptr || mode < kBlackOnWhite || mode > kHalftone) return 0;
    const int previous = hdc->StretchMode();
    hdc->SetStretchMode(mode);
    return previous;
}

int BitBlt(HDC dst, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
           HDC src, std::int32_t xSrc, std::int32_t ySrc, std::uint32_t rop) {
    return StretchBlt(dst, x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

int StretchBlt(HDC dst, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               HDC src, std::int32_t xSrc, std::int32_t ySrc, std::int32_t srcWidth,
               std::int32_t srcHeight, std::uint32_t rop) {
    Bitmap* target = TargetOf(dst);
    const Bitmap* source = TargetOf(src);
    if (target == nullptr || source == nullptr || target->IsStock()) return 0;
    const bool done = StretchPixels(*target, {x, y, width, height}, *source,
                                    {xSrc, ySrc, srcWidth, srcHeight}, rop);
    return done ? 1 : 0;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return new (std::nothrow) Brush(color);
}

bool SetRect(RECT* rect, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom) {
    if (rect == nullptr) return false;
    *rect = RECT{left, top, right, bottom};
    return true;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    Bitmap* target = TargetOf(hdc);
    if (target == nullptr || target->IsStock() || rect == nullptr || brush == nullptr) return 0;
    FillPixels(*target, *rect, brush->Color());
    return 1;
}

HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    Region* region = new (std::nothrow) Region();
    if (region != nullptr) region->SetRect(RECT{left, top, right, bottom});
    return region;
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    if (dst == nullptr || a == nullptr || b == nullptr || mode != kRgnDiff) return kRegionError;
    dst->SetDifference(*a, *b);
    return dst->Kind();
}

bool FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    Bitmap* target = TargetOf(hdc);
    if (target == nullptr || target->IsStock() || region == nullptr || brush == nullptr)
        return false;
    for (const RECT& r : region->Rects())
        FillPixels(*target, r, brush->Color());
    return true;
}

int FillRectWithColor(HDC hdc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const int filled = FillRect(hdc, &rect, brush);
    DeleteObject(brush);
    return filled;
}

bool FillRgnWithColor(HDC hdc, HRGN region, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const bool filled = FillRgn(hdc, region, brush);
    DeleteObject(brush);
    return filled;
}

}  // namespace platform::gdi
