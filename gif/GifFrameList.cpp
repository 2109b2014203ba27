#include "gif/GifFrameList.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include "dib/Dib.h"
#include "gif/FrameMask.h"

namespace gif {

namespace {

void CheckFrameNumber(FrameNumber frameNumber, FrameNumber first, FrameNumber last) {
    if (frameNumber < first || frameNumber > last)
        throw std::out_of_range("frame number out of range");
}

}  // namespace

void InsertFrame(GifModel& model, FrameNumber frameNumber, std::int16_t width,
                 std::int16_t height) {
    const FrameNumber count = model.frameCount;
    if (count >= kMostFrames) {
        throw std::overflow_error("an image holds at most 32767 frames");
    }
    // Below the first frame there is no place to insert into, once frames exist.
    if (count > 0 && frameNumber < 1) throw std::out_of_range("frame number out of range");

    // The bitmaps are made first, so that nothing has changed if making them throws.
    // A size the bitmap class refuses leaves the frame with bitmap objects holding no
    // bitmap, as for a frame read from a file.
    GifFrame added;
    added.colours = std::make_shared<dib::Dib>();
    if (added.colours->Create(width, height, 8)) added.colours->Cls(0);
    added.mask = std::make_shared<dib::Dib>();
    if (added.mask->Create(width, height, 1)) {
        SetMaskColours(*added.mask);
        added.mask->Cls(0);
    }

    // A record that a trailing graphic control extension left past the counted frames
    // is dropped: the new frame starts blank.
    std::vector<GifFrame>& frames = model.frames;
    frames.resize(static_cast<size_t>(count));
    const size_t position = (count == 0 || frameNumber > count)
                                ? static_cast<size_t>(count)
                                : static_cast<size_t>(frameNumber) - 1;
    frames.insert(frames.begin() + static_cast<std::ptrdiff_t>(position), std::move(added));
    model.frameCount = count + 1;
    GifFrame& inserted = frames[position];
    inserted.width = static_cast<std::uint16_t>(width);
    inserted.height = static_cast<std::uint16_t>(height);
    if (inserted.colours->hDIB() != nullptr)
        inserted.pixelsRead = std::uint64_t{inserted.width} * inserted.height;
    if (model.frameCount == 1) {
        model.screen.width = width;
        model.screen.height = height;
    }
}

void RemoveFrame(GifModel& model, FrameNumber frameNumber) {
    // Only counted frames can be removed: the blank record of an empty image, or one that
    // a trailing graphic control extension left, is not a frame.
    CheckFrameNumber(frameNumber, 1, model.frameCount);
    std::vector<GifFrame>& frames = model.frames;
    frames.erase(frames.begin() + (frameNumber - 1));
    --model.frameCount;
    if (model.frameCount == 0) {
        frames.assign(1, GifFrame{});
    } else {
        frames.resize(static_cast<size_t>(model.frameCount));
    }
}

void MoveFrameUp(GifModel& model, FrameNumber frameNumber) {
    CheckFrameNumber(frameNumber, 2, model.frameCount);
    std::swap(model.frames[frameNumber - 2], model.frames[frameNumber - 1]);
}

void MoveFrameDown(GifModel& model, FrameNumber frameNumber) {
    CheckFrameNumber(frameNumber, 1, model.frameCount - 1);
    std::swap(model.frames[frameNumber - 1], model.frames[frameNumber]);
}

}  // namespace gif
