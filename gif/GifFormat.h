#pragma once
// The bytes and bit fields of the GIF file format, shared by the reader and the writer.
// Every 16-bit field of the format is little-endian.

#include <cstddef>
#include <cstdint>

namespace gif {

// --- header: "GIF" then the version, "87a" or "89a" ---
constexpr char kSignature[] = "GIF";
constexpr char kVersion87a[] = "87a";
constexpr char kVersion89a[] = "89a";  // needed for extensions
constexpr size_t kSignatureSize = 3;
constexpr size_t kHeaderSize = 6;

// --- block bytes ---
constexpr std::uint8_t kExtensionIntroducer = 0x21;  // "!"
constexpr std::uint8_t kImageSeparator = 0x2C;       // ","
constexpr std::uint8_t kTrailer = 0x3B;              // ";"
constexpr std::uint8_t kBlockTerminator = 0x00;      // a sub-block of length 0 ends a chain
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kApplicationLabel = 0xFF;
// The application extension that carries the loop count: identifier and authentication code,
// then one sub-block of 3 bytes: its number (1) and the count.
constexpr std::uint8_t kLoopingApplication[11] = {'N', 'E', 'T', 'S', 'C', 'A',
                                                  'P', 'E', '2', '.', '0'};
constexpr std::uint8_t kOldLoopingApplication[11] = {'A', 'N', 'I', 'M', 'E', 'X',
                                                     'T', 'S', '1', '.', '0'};
constexpr std::uint8_t kLoopingSubBlockSize = 3;
constexpr std::uint8_t kLoopingSubBlockNumber = 1;

// --- record sizes ---
constexpr size_t kScreenDescriptorSize = 7;  // width, height, flags, background, aspect
constexpr size_t kGraphicControlSize = 5;    // block size, flags, delay (2), transparent index
constexpr std::uint8_t kGraphicControlBlockSize = 4;
constexpr size_t kApplicationHeaderSize = 12;  // block size, identifier (8), authentication (3)
constexpr size_t kImageDescriptorSize = 9;     // left, top, width, height, flags
constexpr size_t kColourTableEntrySize = 3;    // red, green, blue

// --- screen descriptor flags ---
constexpr std::uint8_t kGlobalTablePresent = 0x80;
constexpr int kColourResolutionShift = 4;  // 3 bits: bits per primary colour, less one
constexpr std::uint8_t kGlobalTableSorted = 0x08;
constexpr std::uint8_t kTableSize = 0x07;  // the table has 2^(size + 1) entries; local tables too

// --- graphic control flags ---
constexpr std::uint8_t kDisposalMethod = 0x1C;
constexpr int kDisposalMethodShift = 2;
constexpr std::uint8_t kUserInput = 0x02;
constexpr std::uint8_t kTransparentColourPresent = 0x01;
// Disposal methods: what becomes of a frame's rectangle before the next frame is drawn.
constexpr std::uint8_t kDisposalNotGiven = 0;
constexpr std::uint8_t kDisposalLeaveInPlace = 1;
constexpr std::uint8_t kDisposalRestoreBackground = 2;
constexpr std::uint8_t kDisposalRestorePrevious = 3;

// --- image descriptor flags ---
constexpr std::uint8_t kLocalTablePresent = 0x80;
constexpr std::uint8_t kInterlaced = 0x40;
constexpr std::uint8_t kLocalTableSorted = 0x20;

// The field under mask, shifted down to bit 0.
constexpr std::uint8_t BitField(std::uint8_t value, std::uint8_t mask) {
    int shift = 0;
    while (mask != 0 && ((mask >> shift) & 1) == 0)
        ++shift;
    return static_cast<std::uint8_t>((value & mask) >> shift);
}

}  // namespace gif
