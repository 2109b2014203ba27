#include "app/core/FileSearch.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <glob.h>
#endif

namespace core {

bool FileFound(const std::string& path) {
    if (path.empty()) return false;
#if defined(_WIN32)
    // Paths are UTF-8 throughout; the wide search takes every name the ANSI one cannot.
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(std::filesystem::u8path(path).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
#else
    if (path.find_first_of("*?") != std::string::npos) {
        glob_t matches{};
        const bool found =
            glob(path.c_str(), GLOB_NOSORT, nullptr, &matches) == 0 && matches.gl_pathc > 0;
        globfree(&matches);
        return found;
    }
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
#endif
}

}  // namespace core
