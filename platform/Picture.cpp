#include "platform/Picture.h"

#include <cstring>

#include "platform/gdi/Blitter.h"

namespace platform {

using gdi::Bitmap;

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// The bitmap's pixels as 0xAARRGGBB with alpha 255.
std::vector<std::uint32_t> OpaquePixelsOf(const Bitmap& bitmap) {
    std::vector<std::uint32_t> pixels;
    std::unique_ptr<Bitmap> flat = Bitmap::Create(bitmap.Width(), bitmap.Height(), 32, true);
    if (!flat) return pixels;
    gdi::StretchPixels(*flat, {0, 0, bitmap.Width(), bitmap.Height()}, bitmap,
                       {0, 0, bitmap.Width(), bitmap.Height()}, gdi::kSrcCopy);
    pixels.resize(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(flat->Row(y));
        std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * bitmap.Width();
        for (std::int32_t x = 0; x < bitmap.Width(); ++x)
            out[x] = row[x] | kOpaque;
    }
    return pixels;
}

std::uint32_t Blend(std::uint32_t over, std::uint32_t under) {
    const std::uint32_t a = over >> 24;
    if (a == 255) return over & 0xFFFFFF;
    if (a == 0) return under;
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t o = (over >> shift) & 0xFF;
        const std::uint32_t u = (under >> shift) & 0xFF;
        result |= ((o * a + u * (255 - a) + 127) / 255) << shift;
    }
    return result | (under & 0xFF000000u);
}

}  // namespace

PicturePtr Picture::FromBitmap(gdi::HBITMAP owned) {
    if (owned == nullptr || owned->SelectedInto() != nullptr || owned->IsStock()) return nullptr;
    std::shared_ptr<Picture> picture(new Picture());
    picture->kind_ = Kind::Bitmap;
    picture->width_ = owned->Width();
    picture->height_ = owned->Height();
    picture->pixels_ = OpaquePixelsOf(*owned);
    picture->bitmap_ = owned;
    return picture;
}

PicturePtr Picture::FromPixels(Kind kind, std::int32_t width, std::int32_t height,
                               std::vector<std::uint32_t> argb) {
    if (width < 0 || height < 0) return nullptr;
    if (argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return nullptr;
    std::shared_ptr<Picture> picture(new Picture());
    picture->kind_ = kind;
    picture->width_ = width;
    picture->height_ = height;
    if (kind == Kind::Bitmap) {
        if (width == 0 || height == 0) return nullptr;
        std::unique_ptr<Bitmap> bitmap = Bitmap::Create(width, height, 32, true);
        if (!bitmap) return nullptr;
        for (std::int32_t y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(bitmap->Row(y));
            std::uint32_t* in = argb.data() + static_cast<std::size_t>(y) * width;
            for (std::int32_t x = 0; x < width; ++x) {
                row[x] = in[x] & 0xFFFFFF;
                in[x] |= kOpaque;
            }
        }
        picture->bitmap_ = bitmap.release();
    }
    picture->pixels_ = std::move(argb);
    return picture;
}

Picture::~Picture() {
    if (bitmap_ != nullptr) gdi::DeleteObject(bitmap_);
}

bool DrawPicture(gdi::HDC hdc, const Picture& picture, std::int32_t x, std::int32_t y) {
    Bitmap* target = hdc != nullptr ? hdc->SelectedBitmap() : nullptr;
    if (target == nullptr || target->IsStock()) return false;
    const std::int32_t w = picture.Width();
    const std::int32_t h = picture.Height();
    if (w == 0 || h == 0) return true;
    if (picture.Handle() != nullptr) {
        return gdi::StretchPixels(*target, {x, y, w, h}, *picture.Handle(), {0, 0, w, h},
                                  gdi::kSrcCopy);
    }
    // Blend in a 32-bit copy of the covered area, whatever the destination's format.
    std::unique_ptr<Bitmap> area = Bitmap::Create(w, h, 32, true);
    if (!area) return false;
    gdi::StretchPixels(*area, {0, 0, w, h}, *target, {x, y, w, h}, gdi::kSrcCopy);
    const std::vector<std::uint32_t>& pixels = picture.Pixels();
    for (std::int32_t row = 0; row < h; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(area->Row(row));
        const std::uint32_t* in = pixels.data() + static_cast<std::size_t>(row) * w;
        for (std::int32_t col = 0; col < w; ++col)
            out[col] = Blend(in[col], out[col]);
    }
    return gdi::StretchPixels(*target, {x, y, w, h}, *area, {0, 0, w, h}, gdi::kSrcCopy);
}

}  // namespace platform
