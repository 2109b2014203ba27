#pragma once
// The bytes that name GIF blocks, shared by the reader and the writer.

#include <cstdint>

namespace gif_format {

constexpr uint8_t kExtensionIntroducer = 0x21;  // "!"
constexpr uint8_t kImageSeparator = 0x2C;       // ","
constexpr uint8_t kTrailer = 0x3B;              // ";"
constexpr uint8_t kBlockTerminator = 0x00;      // a sub-block of length 0 ends a chain
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kApplicationLabel = 0xFF;
// The application extension that carries the loop count: identifier and authentication code.
constexpr uint8_t kLoopingApplication[11] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};

}  // namespace gif_format
