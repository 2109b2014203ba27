// Frame rendering: the mask of a frame and drawing a frame with its transparency.
//
// Transparency uses two raster passes: the mask is ANDed onto the destination (white keeps
// it, black clears it), then the colour bitmap, whose transparent entry is black, is ORed
// on top. The mask is made without touching a pixel here: the colour bitmap is given a
// table that is white at the transparent index and black elsewhere, and one blit converts
// it into the 1-bit mask.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "dib/Dib.h"
#include "gif/GifImage.h"
#include "platform/Errors.h"

namespace {

int16_t CheckedInt16(int32_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw std::overflow_error("frame size outside the 16-bit range");
    return static_cast<int16_t>(value);
}

// Rounds to the nearest integer, halves to the even neighbour.
int32_t RoundHalfEven(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max()))
        throw std::overflow_error("drawing position outside the 32-bit range");
    return static_cast<int32_t>(rounded);
}

void Blacken(GifPalette& palette, size_t entry, uint8_t value) {
    palette[4 * entry] = value;      // blue
    palette[4 * entry + 1] = value;  // green
    palette[4 * entry + 2] = value;  // red
}

}  // namespace

void GifImage::FrameMask(int16_t frameNumber, uint8_t transparentIndex) {
    GifFrame& frame = Frame(frameNumber);
    if (!frame.FrameDIBXOR || !frame.FrameDIBAND)
        throw platform::MissingObjectError("the frame has no bitmaps");
    Dib& colour = *frame.FrameDIBXOR;
    Dib& mask = *frame.FrameDIBAND;

    // Always from the stored frame palette, so earlier calls leave no trace.
    GifPalette colourTable = frame.Palette;
    if (frame.UseTransparentColor) {
        Blacken(colourTable, transparentIndex, 0);
        GifPalette maskTable{};
        Blacken(maskTable, transparentIndex, 255);  // white where transparent
        colour.SetPalette(maskTable.data(), maskTable.size());
        mask.LoadBlt(colour.hDC(), 0, 0);  // white becomes 1, black 0
        colour.SetPalette(colourTable.data(), colourTable.size());
    } else {
        mask.Cls(0);  // every pixel opaque
        colour.SetPalette(colourTable.data(), colourTable.size());
    }
}

void GifImage::FrameDraw(Dib::HDC dc, int16_t frameNumber, int16_t left, int16_t top, float scale,
                         bool cropToScreen) {
    GifFrame& frame = Frame(frameNumber);
    if (!frame.FrameDIBXOR) throw platform::MissingObjectError("the frame has no bitmaps");
    Dib& colour = *frame.FrameDIBXOR;

    int16_t width = CheckedInt16(colour.Width());
    int16_t height = CheckedInt16(colour.Height());
    // Cropping cuts only the right and bottom: the destination clips the rest.
    if (cropToScreen) {
        if (int32_t{frame.Left} + width > screen_.Width)
            width = CheckedInt16(int32_t{screen_.Width} - frame.Left);
        if (int32_t{frame.Top} + height > screen_.Height)
            height = CheckedInt16(int32_t{screen_.Height} - frame.Top);
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;

    const double factor = scale;
    const int32_t x = RoundHalfEven(frame.Left * factor + left);
    const int32_t y = RoundHalfEven(frame.Top * factor + top);
    const int32_t drawWidth = RoundHalfEven(width * factor);
    const int32_t drawHeight = RoundHalfEven(height * factor);

    // A source size of 0 reads as the whole bitmap, but then the destination size is 0
    // too and nothing is drawn.
    if (frame.UseTransparentColor) {
        if (!frame.FrameDIBAND) throw platform::MissingObjectError("the frame has no mask");
        frame.FrameDIBAND->Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                                   platform::gdi::kSrcAnd, platform::gdi::kColorOnColor);
        colour.Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                       platform::gdi::kSrcPaint, platform::gdi::kColorOnColor);
    } else {
        colour.Stretch(dc, x, y, drawWidth, drawHeight, 0, 0, width, height,
                       platform::gdi::kSrcCopy, platform::gdi::kColorOnColor);
    }
}
