// Editing the frame table: inserting a blank frame, removing one, and exchanging a frame
// with its neighbour. Records move whole (fields, palette and the shared bitmap
// references); bitmaps are never duplicated.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "dib/Dib.h"
#include "gif/GifImage.h"

namespace {

// Mask colour table: entry 0 black (opaque), entry 1 white (transparent).
const std::vector<uint8_t> kMaskPalette = {0, 0, 0, 0, 255, 255, 255, 0};

void CheckFrameNumber(int16_t frameNumber, int16_t first, int16_t last) {
    if (frameNumber < first || frameNumber > last)
        throw std::out_of_range("frame number out of range");
}

}  // namespace

void GifImage::FrameInsert(int16_t frameNumber, int16_t width, int16_t height) {
    const int16_t count = framesCount_;
    if (count == std::numeric_limits<int16_t>::max()) {
        throw std::overflow_error("an image holds at most 32767 frames");
    }
    // Below the first frame there is no place to insert into, once frames exist.
    if (count > 0 && frameNumber < 1) throw std::out_of_range("frame number out of range");

    // The bitmaps are made first, so that nothing has changed if making them throws.
    // A size the bitmap class refuses leaves the frame with bitmap objects holding no
    // bitmap, as for a frame read from a file.
    GifFrame added;
    added.FrameDIBXOR = std::make_shared<Dib>();
    if (added.FrameDIBXOR->Create(width, height, 8)) added.FrameDIBXOR->Cls(0);
    added.FrameDIBAND = std::make_shared<Dib>();
    if (added.FrameDIBAND->Create(width, height, 1)) {
        added.FrameDIBAND->SetPalette(kMaskPalette);
        added.FrameDIBAND->Cls(0);
    }

    // A record that a trailing graphic control extension left past the counted frames
    // is dropped: the new frame starts blank.
    frames_.resize(static_cast<size_t>(count));
    const size_t position = (count == 0 || frameNumber > count)
                                ? static_cast<size_t>(count)
                                : static_cast<size_t>(frameNumber) - 1;
    frames_.insert(frames_.begin() + static_cast<std::ptrdiff_t>(position), std::move(added));
    framesCount_ = static_cast<int16_t>(count + 1);
    if (framesCount_ == 1) {
        screen_.Width = width;
        screen_.Height = height;
    }
}

void GifImage::FrameRemove(int16_t frameNumber) {
    // Only counted frames can be removed: the blank record of an empty image, or one that
    // a trailing graphic control extension left, is not a frame.
    CheckFrameNumber(frameNumber, 1, framesCount_);
    frames_.erase(frames_.begin() + (frameNumber - 1));
    framesCount_ = static_cast<int16_t>(framesCount_ - 1);
    if (framesCount_ == 0) {
        frames_.assign(1, GifFrame{});
    } else {
        frames_.resize(static_cast<size_t>(framesCount_));
    }
}

void GifImage::FrameMoveUp(int16_t frameNumber) {
    CheckFrameNumber(frameNumber, 2, framesCount_);
    std::swap(frames_[frameNumber - 2], frames_[frameNumber - 1]);
}

void GifImage::FrameMoveDown(int16_t frameNumber) {
    CheckFrameNumber(frameNumber, 1, static_cast<int16_t>(framesCount_ - 1));
    std::swap(frames_[frameNumber - 1], frames_[frameNumber]);
}
