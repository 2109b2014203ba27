#pragma once

#include <string>

namespace core {

// True when the platform's file search finds at least one match for `path`: a file,
// a directory, or anything a wildcard pattern (* and ?) matches.
bool FileFound(const std::string& path);

}  // namespace core
