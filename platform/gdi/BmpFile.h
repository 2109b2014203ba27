#pragma once
// Reading bitmap files (".bmp") into bitmaps: uncompressed 1, 4, 8, 16, 24 and 32 bits a
// pixel, and 16 and 32 bits with channel bit fields; the old 12-byte header too. Rows stay
// in the file's order (bottom-up unless the header's height is negative). Run-length and
// embedded JPEG or PNG data are refused. Anything malformed or truncated fails: nothing
// is read outside the bytes given.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/Bitmap.h"

namespace platform::gdi {

// Files beyond this size are refused before they are read: the largest bitmap the
// system makes (256 MiB of pixels) plus room for headers and a colour table.
constexpr std::uint64_t kMaxBitmapFileBytes = (std::uint64_t{256} << 20) + (std::uint64_t{1} << 16);

std::unique_ptr<Bitmap> DecodeBitmapFile(const std::uint8_t* data, std::size_t size);

// Loads a bitmap file from disk as a DIB section (what the platform's image loader does
// with "load from file" and "create DIB section"). Null when it cannot.
Bitmap* LoadBitmapFile(const std::string& path);

}  // namespace platform::gdi
