#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/SystemFolders.h"

namespace platform {

extern const char kPathSeparator = '/';

bool IsDriveRoot(const std::string&) {
    return false;  // "/" is the only root
}

std::string ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path().u8string();
}

std::vector<std::string> ConfigurationFolders() {
    std::vector<std::string> folders;
    const auto variable = [](const char* name) -> std::string {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    const auto add = [&folders](const std::string& folder) {
        if (!folder.empty() && folder.front() == '/') folders.push_back(folder);
    };
    std::string configHome = variable("XDG_CONFIG_HOME");
    if (configHome.empty() && !variable("HOME").empty()) configHome = variable("HOME") + "/.config";
    add(configHome);
    std::string configDirs = variable("XDG_CONFIG_DIRS");
    if (configDirs.empty()) configDirs = "/etc/xdg";
    std::size_t start = 0;
    while (start <= configDirs.size()) {
        const std::size_t end = std::min(configDirs.find(':', start), configDirs.size());
        add(configDirs.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

}  // namespace platform
