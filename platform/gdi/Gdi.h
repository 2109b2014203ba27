#pragma once
// The graphics calls of the platform, done in software over plain memory. Handles are
// pointers to the objects; a null handle is the platform's 0. Every call that the platform
// lets fail fails the same way here: a null handle, a false or a 0 result, never an
// exception.

#include <cstdint>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"

namespace platform::gdi {

using HGDIOBJ = GdiObject*;
using HDC = DeviceContext*;
using HBITMAP = Bitmap*;
using HBRUSH = Brush*;
using HRGN = Region*;

// --- device contexts ---
// A new memory context (`hdc` null: compatible with the screen). It holds the stock 1 x 1
// monochrome bitmap until another is selected.
HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory context; the bitmap in it is released, not deleted.
bool DeleteDC(HDC hdc);
// The screen's context. This layer has no windows of its own, so every window gives the
// screen. It has no pixels: blits to and from it fail.
HDC GetDC(const void* window);
int ReleaseDC(const void* window, HDC hdc);

// --- bitmaps ---
// A bitmap with the layout described by `header` (width > 0, height != 0: negative height
// is top-down; 1, 4, 8, 16, 24 or 32 bits; uncompressed, or bit fields for 16 and 32
// bits, whose three masks are read from the first three entries of `colors` as 32-bit
// words). Indexed bitmaps take their colour table from `colors` when given, else black.
// Pixel memory is zeroed unless `start` says otherwise; `bits` receives its address.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFOHEADER& header, const RGBQUAD* colors,
                         std::uint8_t** bits, PixelStart start = PixelStart::Zeroed);
// A bitmap in the format of the context's bitmap (the screen's is 32 bits a pixel). A
// width or height of 0 gives a new 1 x 1 monochrome bitmap, as the platform does.
HBITMAP CreateCompatibleBitmap(HDC hdc, std::int32_t width, std::int32_t height);
// Selects a bitmap into a memory context; returns the bitmap it replaces, or null when
// the bitmap is selected into another context.
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
// Deletes a bitmap, brush or region. A bitmap still selected into a context is not
// deleted (false); the stock bitmap is never deleted (true).
bool DeleteObject(HGDIOBJ object);
ObjectType GetObjectType(const GdiObject* object);
// A bitmap's description; the height is given positive.
bool GetObject(HBITMAP bitmap, BITMAP* description);

// Colour-table entries of the indexed bitmap selected into `hdc`; returns how many were
// read or written (entries past the table are left out).
std::uint32_t GetDIBColorTable(HDC hdc, std::uint32_t start, std::uint32_t count, RGBQUAD* colors);
std::uint32_t SetDIBColorTable(HDC hdc, std::uint32_t start, std::uint32_t count,
                               const RGBQUAD* colors);

// --- blits ---
// Every stretch is done colour on colour (rows and columns dropped or repeated); the
// mode is kept and reported for the callers that save and restore it.
int GetStretchBltMode(HDC hdc);
// Returns the previous mode, or 0 for a mode outside 1 to 4 (which is not set).
int SetStretchBltMode(HDC hdc, int mode);
// Raster operations: kSrcCopy, kSrcAnd, kSrcPaint. Non-zero on success; 0 for a missing
// context or bitmap or another operation. A width or height of 0 draws nothing. Both
// contexts clip: pixels outside either bitmap are not drawn.
int BitBlt(HDC dst, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
           HDC src, std::int32_t xSrc, std::int32_t ySrc, std::uint32_t rop);
int StretchBlt(HDC dst, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               HDC src, std::int32_t xSrc, std::int32_t ySrc, std::int32_t srcWidth,
               std::int32_t srcHeight, std::uint32_t rop);

// --- brushes, rectangles, regions ---
HBRUSH CreateSolidBrush(COLORREF color);
bool SetRect(RECT* rect, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom);
// Fills left..right-1 by top..bottom-1, clipped to the bitmap. Non-zero on success.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// Only kRgnDiff is provided: dst = a minus b. Returns the kind of the result, or
// kRegionError.
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
bool FillRgn(HDC hdc, HRGN region, HBRUSH brush);
// The same with a solid brush of `color` that lives for the one call.
int FillRectWithColor(HDC hdc, const RECT& rect, COLORREF color);
bool FillRgnWithColor(HDC hdc, HRGN region, COLORREF color);

}  // namespace platform::gdi
