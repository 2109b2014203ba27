#pragma once
// A picture object as the controls hold it: a natural size and 32-bit pixels. Pictures are
// shared and immutable; a control keeps a reference and never alters what it is given.

#include <cstdint>
#include <memory>
#include <vector>

namespace controls {

class Picture {
  public:
    // `pixels` holds width * height values 0xAARRGGBB (straight alpha), rows top-down.
    // Throws std::invalid_argument when the sizes and the pixel count disagree.
    Picture(int width, int height, std::vector<uint32_t> pixels);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

// A reference to a picture; empty means "no picture".
using PictureRef = std::shared_ptr<const Picture>;

// A picture of one colour, for tests and placeholders.
PictureRef MakeSolidPicture(int width, int height, uint32_t argb);

}  // namespace controls
