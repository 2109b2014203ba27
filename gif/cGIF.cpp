#include "cGIF.h"

#include <cfenv>
#include <cmath>
#include <stdexcept>

#include "dib/cDIB.h"

cGIF::~cGIF() {
    Destroy();
}

void cGIF::Destroy() {
    signature_.clear();
    version_.clear();
    screen_ = ScreenDescriptor{};
    globalPalette_.fill(0);
    globalPaletteSorted_ = false;
    globalPaletteEntries_ = 0;
    loops_ = 0;
    globalPaletteExists_ = false;
    // Releasing the records releases their bitmaps; a bitmap a caller still holds lives on.
    frames_.assign(1, GIFFrame{});
    framesCount_ = 0;
}

GIFFrame& cGIF::Frame(int16_t nFrame) {
    if (nFrame < 1 || static_cast<size_t>(nFrame) > frames_.size())
        throw std::out_of_range("frame number outside the frame table");
    return frames_[static_cast<size_t>(nFrame) - 1];
}

const GIFFrame& cGIF::Frame(int16_t nFrame) const {
    return const_cast<cGIF*>(this)->Frame(nFrame);
}

float cGIF::ScreenPixelAspectRatio() const {
    return static_cast<float>((screen_.AspectByte + 15.0) / 64.0);
}

void cGIF::SetScreenPixelAspectRatio(float New_ScreenPixelAspectRatio) {
    const long double exact = static_cast<long double>(New_ScreenPixelAspectRatio) * 64.0f - 15.0f;
    if (!std::isfinite(exact)) throw std::overflow_error("pixel aspect ratio is not a number");
    const int previousRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);  // halves go to the even neighbour
    const long double rounded = std::nearbyint(exact);
    std::fesetround(previousRounding);
    if (rounded < 0 || rounded > 255)
        throw std::overflow_error("pixel aspect ratio outside the aspect byte's range");
    screen_.AspectByte = static_cast<uint8_t>(rounded);
}

int32_t cGIF::RGBEntry(const GIFPalette& palette, uint8_t nEntry) {
    const size_t at = static_cast<size_t>(nEntry) * 4;
    return palette[at + 2] + 256 * palette[at + 1] + 65536 * palette[at];
}

int32_t cGIF::GlobalPaletteRGBEntry(uint8_t nEntry) const {
    return globalPaletteExists_ ? RGBEntry(globalPalette_, nEntry) : 0;
}

int32_t cGIF::LocalPaletteRGBEntry(int16_t nFrame, uint8_t nEntry) const {
    return RGBEntry(Frame(nFrame).Palette, nEntry);
}

void cGIF::SetFrameDisposalMethod(int16_t nFrame, int32_t New_DisposalMethod) {
    GIFFrame& frame = Frame(nFrame);
    if (New_DisposalMethod < 0 || New_DisposalMethod > 255)
        throw std::overflow_error("disposal method outside 0 to 255");
    frame.DisposalMethod = static_cast<uint8_t>(New_DisposalMethod);
}
