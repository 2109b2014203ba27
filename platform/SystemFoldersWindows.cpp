#include <windows.h>

#include <filesystem>

#include "platform/SystemFolders.h"

namespace platform {

extern const char kPathSeparator = '\\';

bool IsDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':' && path[2] == kPathSeparator;
}

std::string ExecutableDirectory() {
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
    return std::filesystem::path(buffer).parent_path().u8string();
}

std::vector<std::string> ConfigurationFolders() {
    return {};
}

}  // namespace platform
