#pragma once
// Opening a file that somebody else may have put there. A name can lead to a pipe, which an
// ordinary open waits on for ever, or to a device such as /dev/zero, which never ends; a
// program that reads such a name at start would never show its window. These open nothing
// but regular files (after following symbolic links) and never wait.

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// The file opened for binary reading, with its size in `size`; nullptr, with a reason in
// `error` when one is given ("does not exist", "is not a regular file", ...), otherwise.
std::FILE* OpenRegularFile(const std::string& path, std::uint64_t& size,
                           std::string* error = nullptr);

// Whether the name leads to a regular file, after following links; nothing is opened.
bool IsRegularFile(const std::string& path);

}  // namespace platform
