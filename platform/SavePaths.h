#pragma once
// Path helpers of the atomic save that every system shares.

#include <filesystem>
#include <string>

namespace platform {

// The file a path names once its symbolic links are followed; the path itself when it is not
// a link. A link to a file that does not exist yet leads to where that file would be. Throws
// std::runtime_error for a loop of links or a link that cannot be read.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// A short name for a file beside the target, ".corpo-" and 12 hex digits and the extension
// given (with its dot), different from call to call and from process to process. Short
// whatever the target's, so that a target near the longest name a folder allows can still be
// replaced.
std::string ShortTemporaryName(const char* extension);

// The folder a file lives in (UTF-8), "." for a bare name.
std::string FolderOf(const std::filesystem::path& file);

}  // namespace platform
