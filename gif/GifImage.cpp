#include "gif/GifImage.h"

#include <cfenv>
#include <cmath>
#include <stdexcept>

#include "dib/Dib.h"

GifImage::~GifImage() {
    Destroy();
}

void GifImage::Destroy() {
    signature_.clear();
    version_.clear();
    screen_ = ScreenDescriptor{};
    globalPalette_.fill(0);
    globalPaletteSorted_ = false;
    globalPaletteEntries_ = 0;
    loops_ = 0;
    globalPaletteExists_ = false;
    // Releasing the records releases their bitmaps; a bitmap a caller still holds lives on.
    frames_.assign(1, GifFrame{});
    framesCount_ = 0;
}

GifFrame& GifImage::Frame(int16_t frameNumber) {
    if (frameNumber < 1 || static_cast<size_t>(frameNumber) > frames_.size())
        throw std::out_of_range("frame number outside the frame table");
    return frames_[static_cast<size_t>(frameNumber) - 1];
}

const GifFrame& GifImage::Frame(int16_t frameNumber) const {
    return const_cast<GifImage*>(this)->Frame(frameNumber);
}

float GifImage::ScreenPixelAspectRatio() const {
    return static_cast<float>((screen_.AspectByte + 15.0) / 64.0);
}

void GifImage::SetScreenPixelAspectRatio(float value) {
    const long double exact = static_cast<long double>(value) * 64.0f - 15.0f;
    if (!std::isfinite(exact)) throw std::overflow_error("pixel aspect ratio is not a number");
    const int previousRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);  // halves go to the even neighbour
    const long double rounded = std::nearbyint(exact);
    std::fesetround(previousRounding);
    if (rounded < 0 || rounded > 255)
        throw std::overflow_error("pixel aspect ratio outside the aspect byte's range");
    screen_.AspectByte = static_cast<uint8_t>(rounded);
}

int32_t GifImage::RGBEntry(const GifPalette& palette, uint8_t entry) {
    const size_t at = static_cast<size_t>(entry) * 4;
    return palette[at + 2] + 256 * palette[at + 1] + 65536 * palette[at];
}

int32_t GifImage::GlobalPaletteRGBEntry(uint8_t entry) const {
    return globalPaletteExists_ ? RGBEntry(globalPalette_, entry) : 0;
}

int32_t GifImage::LocalPaletteRGBEntry(int16_t frameNumber, uint8_t entry) const {
    return RGBEntry(Frame(frameNumber).Palette, entry);
}

void GifImage::SetFrameDisposalMethod(int16_t frameNumber, int32_t value) {
    GifFrame& frame = Frame(frameNumber);
    if (value < 0 || value > 255) throw std::overflow_error("disposal method outside 0 to 255");
    frame.DisposalMethod = static_cast<uint8_t>(value);
}
