#pragma once
// Where things are on this system: how it separates folders, where the running program lives
// and where users and the machine keep configuration.

#include <string>
#include <vector>

namespace platform {

// The folder separator: '\' on Windows, '/' elsewhere.
extern const char kPathSeparator;

// Whether `path` is a root other than "/" that must keep its separator: a Windows drive's
// root such as "C:\" (without it, "C:" names the drive's current folder). Never elsewhere.
bool IsDriveRoot(const std::string& path);

// The folder of the running executable as the system reports it (UTF-8), without a
// trailing separator: "C:\Program Files\Corpometer" on Windows, "/opt/corpometer" on
// Linux. Empty when the system cannot tell.
std::string ExecutableDirectory();

// The folders where configuration is looked for after the program's own, most personal
// first: on Linux $XDG_CONFIG_HOME (by default ~/.config), then each folder of
// $XDG_CONFIG_DIRS (by default /etc/xdg); relative entries are ignored. None on Windows,
// where a program keeps its configuration beside its executable.
std::vector<std::string> ConfigurationFolders();

}  // namespace platform
