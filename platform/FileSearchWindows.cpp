#include <windows.h>

#include <filesystem>

#include "platform/FileSearch.h"

namespace platform {

bool FileFound(const std::string& path) {
    if (path.empty()) return false;
    // Paths are UTF-8 throughout; the wide search takes every name the ANSI one cannot.
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(std::filesystem::u8path(path).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::string FindOnPath(const std::vector<std::string>&, const std::string&) {
    return {};  // Windows programs are registered, not looked for on PATH
}

}  // namespace platform
