#pragma once
// One frame of a GIF image: its placement, timing, disposal, transparency, its own
// 256-entry palette and its two bitmaps.

#include <array>
#include <cstdint>
#include <memory>

class Dib;

// 256 entries of 4 bytes (blue, green, red, reserved); entry i at bytes 4i to 4i + 3.
using GifPalette = std::array<uint8_t, 1024>;

struct GifFrame {
    // 8 bits per pixel, the frame's size; each byte is a palette index. Its colour table is
    // the frame palette with the transparent entry black.
    std::shared_ptr<Dib> FrameDIBXOR;
    // 1 bit per pixel, the same size; 1 where the frame is transparent, 0 where opaque.
    std::shared_ptr<Dib> FrameDIBAND;
    int16_t Left = 0;  // pixels from the logical screen's left edge
    int16_t Top = 0;   // pixels from the logical screen's top edge
    bool Interlaced = false;
    bool UseTransparentColor = false;
    uint8_t TransparentColorIndex = 0;
    int16_t Delay = 0;           // hundredths of a second
    uint8_t DisposalMethod = 0;  // the 3-bit field as read, 0 to 7
    bool UserInput = false;
    bool LocalPaletteUsed = false;
    bool LocalPaletteSorted = false;  // of the global table when the frame has none
    int16_t LocalPaletteEntries = 0;  // of the global table when the frame has none
    // The frame's own colour table, or a copy of the global one taken when it was read.
    GifPalette Palette{};
};
