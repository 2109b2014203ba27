#pragma once
// Reading a whole file into memory, the one way every layer does it.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace platform {

// Replaces `bytes` by the file's content. False, with `bytes` empty and a reason in `error`
// when one is given, when the file is missing, is a folder or anything else than a regular
// file (a pipe, a device: see RegularFile.h), cannot be read, or is larger than maxBytes
// (which keeps a huge file from being read in whole only to be refused). An empty file is
// read as no bytes.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max(),
                   std::string* error = nullptr);

}  // namespace platform
