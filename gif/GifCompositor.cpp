#include "gif/GifCompositor.h"

#include <memory>
#include <stdexcept>

#include "gif/GifFormat.h"
#include "gif/GifImage.h"

namespace gif {

void GifCompositor::Reset(std::int32_t width, std::int32_t height, platform::OLE_COLOR backColour) {
    // A screen whose size does not even compute (a file's width times a negative height
    // past the 32-bit range) leaves the buffers empty, as any other size that cannot be
    // made does, instead of throwing out of a load.
    for (dib::Dib* buffer : {&display_, &canvas_, &background_}) {
        try {
            buffer->Create(width, height, 32);
        } catch (const std::overflow_error&) {
            buffer->Destroy();
        }
    }
    display_.Cls(backColour);
    canvas_.Cls(backColour);
    background_.Cls(backColour);
}

void GifCompositor::Clear() {
    display_.Destroy();
    canvas_.Destroy();
    background_.Destroy();
}

void GifCompositor::Compose(const GifImage& image, std::int16_t frameNumber,
                            platform::OLE_COLOR backColour) {
    // Every pass through the animation starts from a clean canvas.
    if (frameNumber == 1) canvas_.Cls(backColour);

    display_.LoadBlt(canvas_.hDC(), 0, 0);
    image.FrameDraw(display_.hDC(), frameNumber, 0, 0, 1.0f, false);

    // Every disposal method but these, "restore to previous" among them, leaves the canvas
    // as it was before the frame.
    const std::int32_t disposal = image.FrameDisposalMethod(frameNumber);
    if (disposal == gif::kDisposalNotGiven || disposal == gif::kDisposalLeaveInPlace) {
        canvas_.LoadBlt(display_.hDC(), 0, 0);
    } else if (disposal == gif::kDisposalRestoreBackground) {
        // The frame's size is its colour bitmap's.
        const std::shared_ptr<dib::Dib> frame = image.FrameDIBXOR(frameNumber);
        const std::int32_t width = frame ? frame->Width() : 0;
        const std::int32_t height = frame ? frame->Height() : 0;
        background_.Stretch(canvas_.hDC(), image.FrameLeft(frameNumber),
                            image.FrameTop(frameNumber), width, height, 0, 0, 0, 0,
                            platform::gdi::kSrcCopy, platform::gdi::kColorOnColor);
    }
}

}  // namespace gif
