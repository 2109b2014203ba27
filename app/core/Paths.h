#pragma once
// Building file names on the application's directory.

#include <string>

namespace core {

// Appends the system's directory separator unless the path already ends in one; the empty
// path becomes the separator alone. Updates `path` and returns it.
std::string& AddBackslash(std::string& path);

// Turns a relative file name stored with "\" separators (as written on Windows) into one
// with this platform's separators.
std::string NativeSeparators(std::string path);

// Whether a file name taken relative to a folder stays inside it: ".." may climb back out
// of a subfolder the name went into, never above the folder itself. Both "/" and "\" count
// as separators; a leading one still means the folder (it is appended to the folder's path).
bool StaysInsideFolder(const std::string& relativeName);

// The application's directory, without a trailing separator (a drive's root such as
// "C:\" keeps its own). Set once at start-up; until then the folder the system reports for
// the running executable. "/" in a directory set here becomes the system's separator ("\"
// on Windows), so that paths built on it use one separator throughout.
const std::string& ApplicationDirectory();
void SetApplicationDirectory(const std::string& directory);

}  // namespace core
