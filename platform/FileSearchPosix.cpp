#include <glob.h>

#include <filesystem>
#include <system_error>

#include "platform/FileSearch.h"

namespace platform {
namespace {

constexpr char kPathListSeparator = ':';

// "Executable" means the permission bits here.
bool IsExecutableFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return false;
    constexpr fs::perms kAnyExecute =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & kAnyExecute) != fs::perms::none;
}

std::vector<std::string> SplitPath(const std::string& pathVariable) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(kPathListSeparator, start);
        if (end == std::string::npos) end = pathVariable.size();
        if (end > start) folders.push_back(pathVariable.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

}  // namespace

bool FileFound(const std::string& path) {
    if (path.empty()) return false;
    if (path.find_first_of("*?") != std::string::npos) {
        glob_t matches{};
        const bool found =
            glob(path.c_str(), GLOB_NOSORT, nullptr, &matches) == 0 && matches.gl_pathc > 0;
        globfree(&matches);
        return found;
    }
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

std::string FindOnPath(const std::vector<std::string>& programs, const std::string& pathVariable) {
    const std::vector<std::string> folders = SplitPath(pathVariable);
    for (const std::string& program : programs) {
        if (program.empty()) continue;
        for (const std::string& folder : folders) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            if (IsExecutableFile(candidate)) return candidate.string();
        }
    }
    return {};
}

}  // namespace platform
