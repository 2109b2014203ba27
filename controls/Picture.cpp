#include "Picture.h"

#include <stdexcept>

namespace controls {

Picture::Picture(int width, int height, std::vector<uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    if (width < 0 || height < 0 ||
        pixels_.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        throw std::invalid_argument("picture size does not match its pixel count");
    }
}

PictureRef MakeSolidPicture(int width, int height, uint32_t argb) {
    const size_t count = static_cast<size_t>(width < 0 ? 0 : width) * (height < 0 ? 0 : height);
    return std::make_shared<const Picture>(width, height, std::vector<uint32_t>(count, argb));
}

}  // namespace controls
