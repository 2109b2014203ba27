#pragma once
// A GIF image in memory as plain data: the logical screen, the loop count, the global colour
// table and the frames. The reader fills it, the writer writes it, and GifImage (the class the
// rest of the system calls) keeps one and gives access to its fields. Nothing here checks one
// field against another.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gif/GifPalette.h"

namespace dib {
class Dib;
}  // namespace dib

namespace gif {

// A frame's number, counted from 1. Wider than any frame count, so that a loop may count one
// past the last frame.
using FrameNumber = std::int32_t;
// An image holds at most this many frames (animation players count them in 16 bits).
constexpr FrameNumber kMostFrames = 32767;

// The logical screen as the file's 7-byte screen descriptor holds it.
struct GifScreen {
    std::int16_t width = 0;   // pixels; file values above 32767 read as negative
    std::int16_t height = 0;  // pixels
    // packed, as read: global table present, colour resolution, sorted, size
    std::uint8_t flags = 0;
    std::uint8_t backgroundIndex = 0;
    std::uint8_t aspectByte = 0;  // pixel aspect ratio = (byte + 15) / 64
};

// One frame: its placement, timing, disposal, transparency, its palette and its two bitmaps.
struct GifFrame {
    // 8 bits per pixel, the frame's size; each byte is a palette index. Its colour table is
    // the frame palette with the transparent entry black.
    std::shared_ptr<dib::Dib> colours;
    // 1 bit per pixel, the same size; 1 where the frame is transparent, 0 where opaque.
    std::shared_ptr<dib::Dib> mask;
    std::int16_t left = 0;  // pixels from the logical screen's left edge
    std::int16_t top = 0;   // pixels from the logical screen's top edge
    // The size the file gives, 0 to 65535, whether or not the bitmaps could be made at it.
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    // How many of its pixels, in stream order, the frame's data filled: width x height for a
    // whole frame, fewer for one whose data falls short; 0 for a frame without a bitmap.
    std::uint64_t pixelsRead = 0;
    bool interlaced = false;
    bool useTransparentColour = false;
    std::uint8_t transparentIndex = 0;
    std::int16_t delay = 0;     // hundredths of a second
    std::uint8_t disposal = 0;  // the 3-bit field as read, 0 to 7
    bool userInput = false;
    bool localPaletteUsed = false;
    // The frame's own colour table, or a copy of the global one (colours, entries and
    // sorted) taken when the frame was read.
    GifPalette palette;
};

struct GifModel {
    std::string signature;  // header bytes 0 to 2 of the last stream read
    std::string version;    // header bytes 3 to 5 of the last stream read
    GifScreen screen;
    // The looping extension's repeat count as the file stores it (0 plays for ever); none
    // when the file had no such extension, and then none is written either.
    std::optional<std::uint16_t> loops;
    bool globalPaletteExists = false;
    GifPalette globalPalette;
    // Record i holds frame i + 1. Empty in a new model (no table at all); one blank record
    // after Clear; one record more than frameCount when the stream ended with a graphic
    // control extension that no image followed.
    std::vector<GifFrame> frames;
    FrameNumber frameCount = 0;

    // Everything back to zero, with one blank frame record. Bitmaps that a caller still
    // holds live on with the caller.
    void Clear() {
        *this = GifModel{};
        frames.assign(1, GifFrame{});
    }
};

}  // namespace gif
