#pragma once
// Looking for files as the system's own search does: by name or wildcard pattern, and
// programs on PATH.

#include <string>
#include <vector>

namespace platform {

// True when the system's file search finds at least one match for `path` (UTF-8): a file,
// a folder, or anything a wildcard pattern (* and ?) matches.
bool FileFound(const std::string& path);

// The full name of the first of `programs` that is an executable file in one of the
// folders of `pathVariable` (the PATH environment variable's value), or empty. Programs
// are tried in the order given, each through all folders in PATH order. Empty entries in
// PATH are skipped rather than read as the current folder. Always empty on Windows, whose
// programs are registered, not looked for on PATH.
std::string FindOnPath(const std::vector<std::string>& programs, const std::string& pathVariable);

}  // namespace platform
