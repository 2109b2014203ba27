#pragma once
// What corpogif reads a GIF from: a file, or standard input for "-", whole and in memory, but
// never more of it than the reader takes as one stream.

#include <cstdint>
#include <string>
#include <vector>

namespace corpogif {

// The most a GIF is read from: the largest stream a load takes (GifLoadLimits::inputBytes),
// beyond which GifImage::LoadFromFile refuses a file.
std::uint64_t MaxInputBytes();

// Replaces `bytes` by the content of `path` ("-": standard input). False, with `bytes` empty
// and the reason in `why`, when the file is missing, unreadable or not a regular file, or
// when the file or standard input holds more than MaxInputBytes(): standard input is read
// only that far, so that an endless stream is refused instead of filling memory.
bool ReadGifInput(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& why);

}  // namespace corpogif
