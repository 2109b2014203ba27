#pragma once
// A picture object: a bitmap, icon or metafile that knows its natural size and can be
// drawn. Pictures are immutable and shared: whoever holds a reference may draw it, nobody
// changes it. Every picture carries its pixels as 32-bit values 0xAARRGGBB, rows from the
// top (the Qt layer converts them to and from its images); a bitmap picture also carries
// the bitmap it was made from, which the bitmap class copies from.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace platform {

class Picture;
using PicturePtr = std::shared_ptr<const Picture>;

class Picture {
  public:
    enum class Kind { Bitmap, Icon, Metafile };

    // Wraps a bitmap that the picture then owns: it deletes the bitmap when the last
    // reference goes. Null for a null or selected bitmap.
    static PicturePtr FromBitmap(gdi::HBITMAP owned);
    // A picture of `width` x `height` pixels 0xAARRGGBB. A bitmap picture is opaque (its
    // alpha is taken as 255) and gets a 32-bit bitmap of its own. Null when the pixel
    // count does not match the size.
    static PicturePtr FromPixels(Kind kind, std::int32_t width, std::int32_t height,
                                 std::vector<std::uint32_t> argb);

    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    Kind GetKind() const { return kind_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    // The picture's handle: its bitmap for a bitmap picture, null for the other kinds.
    gdi::HBITMAP Handle() const { return bitmap_; }

  private:
    Picture() = default;

    Kind kind_ = Kind::Bitmap;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint32_t> pixels_;
    gdi::HBITMAP bitmap_ = nullptr;
};

// Draws a picture at its natural size with its top-left corner at x, y; pixels with
// alpha below 255 are blended over the destination, alpha 0 leaves it. False when the
// context has no bitmap to draw into.
bool DrawPicture(gdi::HDC hdc, const Picture& picture, std::int32_t x, std::int32_t y);

}  // namespace platform
