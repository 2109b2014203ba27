#include "app/core/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace core {
namespace {
std::string& applicationDirectoryStore() {
    static std::string directory = ExecutableDirectory();
    return directory;
}

// True when `path` ends in the separator of a root that cannot lose it: "/" alone, or a
// Windows drive's root such as "C:\" (without it, "C:" names the drive's current folder).
bool IsRootWithSeparator(const std::string& path) {
    if (path.size() == 1) return true;
#if defined(_WIN32)
    if (path.size() == 3 && path[1] == ':') return true;
#endif
    return false;
}
}  // namespace

std::string& AddBackslash(std::string& path) {
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return path;
}

std::string NativeSeparators(std::string path) {
    for (char& c : path) {
        if (c == '\\' || c == '/') c = kPathSeparator;
    }
    return path;
}

const std::string& ApplicationDirectory() {
    return applicationDirectoryStore();
}

void SetApplicationDirectory(const std::string& directory) {
    std::string& stored = applicationDirectoryStore();
#if defined(_WIN32)
    // Toolkits hand directories over with "/" (Qt does on Windows too).
    stored = NativeSeparators(directory);
#else
    stored = directory;
#endif
    while (!stored.empty() && stored.back() == kPathSeparator && !IsRootWithSeparator(stored))
        stored.pop_back();
}

std::string ExecutableDirectory() {
    std::filesystem::path executable;
#if defined(_WIN32)
    // The wide name, so that folders outside the ANSI code page come through intact.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);  // cut short: ask again with more room
    }
    executable = buffer;
#else
    std::error_code error;
    executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
#endif
    return executable.parent_path().u8string();
}

bool StaysInsideFolder(const std::string& relativeName) {
    int depth = 0;
    size_t start = 0;
    while (start <= relativeName.size()) {
        const size_t end = std::min(relativeName.find_first_of("/\\", start), relativeName.size());
        const std::string part = relativeName.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace core
