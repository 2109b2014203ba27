#include "controls/ControlSurface.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "controls/HighDensityPictures.h"

namespace controls {

namespace gdi = platform::gdi;

namespace {

// `picture` with each pixel repeated into a `ratio` x `ratio` square; null when too large.
platform::PicturePtr Enlarged(const platform::Picture& picture, int ratio) {
    const std::int64_t width = std::int64_t{picture.Width()} * ratio;
    const std::int64_t height = std::int64_t{picture.Height()} * ratio;
    if (width > std::numeric_limits<std::int32_t>::max() / height) return nullptr;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    const std::vector<std::uint32_t>& from = picture.Pixels();
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint32_t* row = from.data() + (y / ratio) * picture.Width();
        std::uint32_t* to = pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x)
            to[x] = row[x / ratio];
    }
    return platform::Picture::FromPixels(picture.GetKind(), static_cast<std::int32_t>(width),
                                         static_cast<std::int32_t>(height), std::move(pixels));
}

}  // namespace

bool ControlSurface::Resize(int width, int height) {
    if (width > std::numeric_limits<std::int32_t>::max() / ratio_ ||
        height > std::numeric_limits<std::int32_t>::max() / ratio_) {
        surface_.Resize(0, 0);
        return false;
    }
    return surface_.Resize(width * ratio_, height * ratio_);
}

bool ControlSurface::SetPixelRatio(int ratio) {
    if (ratio < 1) return false;
    if (ratio == ratio_) return true;
    const int width = Width();
    const int height = Height();
    ratio_ = ratio;
    return Resize(width, height);
}

bool ControlSurface::Clear(gdi::COLORREF colour) {
    if (!Bits()) return false;
    return gdi::FillRectWithColor(hDC(), gdi::RECT{0, 0, DeviceWidth(), DeviceHeight()}, colour) !=
           0;
}

bool ControlSurface::Draw(const platform::Picture& picture, int x, int y) {
    if (!Bits()) return false;
    if (ratio_ == 1 || picture.Width() == 0 || picture.Height() == 0)
        return platform::DrawPicture(hDC(), picture, x, y);
    platform::PicturePtr dense = HighDensityDrawing(picture, ratio_);
    if (!dense) dense = Enlarged(picture, ratio_);
    return dense && platform::DrawPicture(hDC(), *dense, x * ratio_, y * ratio_);
}

}  // namespace controls
