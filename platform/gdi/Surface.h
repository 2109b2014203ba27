#pragma once
// The device context of a hosted control: a memory context holding a 32-bit top-down
// bitmap of the client size. Controls draw into hDC() with the graphics calls; the host
// shows the pixels (blue, green, red, unused bytes, rows of Stride() bytes) when it paints.

#include <cstdint>

#include "platform/gdi/Gdi.h"

namespace platform::gdi {

class Surface {
  public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Gives the surface a new, black bitmap of the size; the context stays the same, so
    // handles held by controls remain valid. A width or height below 1 leaves the surface
    // without pixels: drawing into it then fails as drawing into a missing bitmap does.
    // False when the bitmap cannot be made.
    bool Resize(std::int32_t width, std::int32_t height);

    HDC hDC() const { return dc_; }
    std::int32_t Width() const { return bitmap_ != nullptr ? bitmap_->Width() : 0; }
    std::int32_t Height() const { return bitmap_ != nullptr ? bitmap_->Height() : 0; }
    std::int32_t Stride() const { return bitmap_ != nullptr ? bitmap_->Stride() : 0; }
    const std::uint8_t* Bits() const { return bitmap_ != nullptr ? bitmap_->Bits() : nullptr; }

  private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HBITMAP stock_ = nullptr;
};

}  // namespace platform::gdi
