#pragma once
// Editing a model's frame table: inserting a blank frame, removing one, and exchanging a
// frame with its neighbour. Records move whole (fields, palette and the shared bitmap
// references); bitmaps are never duplicated. Frame numbers count from 1.

#include <cstdint>

#include "gif/GifModel.h"

namespace gif {

// Inserts a blank frame of width x height (index 0 everywhere, opaque) before frame
// `frameNumber`, or after the last frame when the number is past it; the first frame of an
// image also sets the logical screen's size. Throws std::overflow_error when the image
// already holds 32767 frames, std::out_of_range for a number below 1 once frames exist.
void InsertFrame(GifModel& model, FrameNumber frameNumber, std::int16_t width,
                 std::int16_t height);
// Throws std::out_of_range unless 1 <= frameNumber <= the frame count.
void RemoveFrame(GifModel& model, FrameNumber frameNumber);
// Exchanges a frame with the one before it (after it); std::out_of_range when there is none.
void MoveFrameUp(GifModel& model, FrameNumber frameNumber);
void MoveFrameDown(GifModel& model, FrameNumber frameNumber);

}  // namespace gif
