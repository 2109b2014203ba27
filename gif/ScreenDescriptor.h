#pragma once
// The logical screen as the file's 7-byte screen descriptor holds it.

#include <cstdint>

struct ScreenDescriptor {
    int16_t Width = 0;   // pixels; file values above 32767 read as negative
    int16_t Height = 0;  // pixels
    uint8_t Flags = 0;   // packed: global table present, colour resolution, sorted, size
    uint8_t BackgroundColorIndex = 0;
    uint8_t AspectByte = 0;  // pixel aspect ratio = (byte + 15) / 64
};
