#include "gif/GifFrameDrawing.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "dib/Dib.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"

namespace gif {

namespace {

std::int16_t CheckedInt16(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("frame size outside the 16-bit range");
    return static_cast<std::int16_t>(value);
}

// Rounds to the nearest integer, halves to the even neighbour.
std::int32_t RoundHalfEven(double value) {
    return platform::RoundHalfEvenToInt32(value, "drawing position outside the 32-bit range");
}

}  // namespace

void DrawFrame(const GifFrame& frame, const GifScreen& screen, platform::gdi::HDC dc,
               std::int16_t left, std::int16_t top, float scale, bool cropToScreen) {
    if (!frame.colours) throw platform::MissingObjectError("the frame has no bitmaps");
    const dib::Dib& colour = *frame.colours;

    std::int16_t width = CheckedInt16(colour.Width());
    std::int16_t height = CheckedInt16(colour.Height());
    // Cropping cuts only the right and bottom: the destination clips the rest.
    if (cropToScreen) {
        if (std::int32_t{frame.left} + width > screen.width)
            width = CheckedInt16(std::int32_t{screen.width} - frame.left);
        if (std::int32_t{frame.top} + height > screen.height)
            height = CheckedInt16(std::int32_t{screen.height} - frame.top);
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;

    const double factor = scale;
    const std::int32_t x = RoundHalfEven(frame.left * factor + left);
    const std::int32_t y = RoundHalfEven(frame.top * factor + top);
    const std::int32_t drawWidth = RoundHalfEven(width * factor);
    const std::int32_t drawHeight = RoundHalfEven(height * factor);

    // A source size of 0 reads as the whole bitmap, but then the destination size is 0
    // too and nothing is drawn.
    if (frame.useTransparentColour) {
        if (!frame.mask) throw platform::MissingObjectError("the frame has no mask");
        frame.mask->Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                            platform::gdi::kSrcAnd, platform::gdi::kColorOnColor);
        colour.Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                       platform::gdi::kSrcPaint, platform::gdi::kColorOnColor);
    } else {
        colour.Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                       platform::gdi::kSrcCopy, platform::gdi::kColorOnColor);
    }
}

}  // namespace gif
