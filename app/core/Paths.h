#pragma once
// The application's directory and the platform's path separator.

#include <string>

namespace core {

// The platform's directory separator: "\" on Windows, "/" elsewhere.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Appends the directory separator unless the path already ends in one; the empty path
// becomes the separator alone. Updates `path` and returns it.
std::string& AddBackslash(std::string& path);

// Turns a relative file name stored with "\" separators (as written on Windows) into one
// with this platform's separators.
std::string NativeSeparators(std::string path);

// The application's directory, without a trailing separator (a drive's root such as
// "C:\" keeps its own). Set once at start-up; until then the folder the system reports for
// the running executable. On Windows "/" in a directory set here becomes "\", so that
// paths built on it use one separator throughout.
const std::string& ApplicationDirectory();
void SetApplicationDirectory(const std::string& directory);

// The folder of the running executable as the system reports it (UTF-8), without a
// trailing separator: "C:\Program Files\Corpometer" on Windows, "/opt/corpometer" on
// Linux. Empty when the system cannot tell.
std::string ExecutableDirectory();

}  // namespace core
