#include "app/core/SystemInfo.h"

#include <filesystem>
#include <system_error>

#include "app/core/FileSearch.h"

namespace core {
namespace {

constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kMsinfoValue[] = "PATH";
constexpr char kSharedToolsKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kSharedToolsValue[] = "MSINFO";
constexpr char kMsinfoFile[] = "\\MSINFO32.EXE";

#if !defined(_WIN32)
// The search of PATH for a Linux tool: where "executable" means the permission bits.
constexpr char kPathListSeparator = ':';

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
#endif

}  // namespace

#if !defined(_WIN32)
const std::vector<std::string>& SystemInfoPrograms() {
    static const std::vector<std::string> programs = {
        "hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk", "cpu-x", "gnome-system-monitor",
    };
    return programs;
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
#endif

std::string LocateSystemInfo(const core::ValueQuery& query, const std::string& pathVariable) {
    std::string value;
    if (core::GetKeyValue(query, core::kHKeyLocalMachine, kMsinfoKey, kMsinfoValue, value)) {
        return value;
    }
    if (core::GetKeyValue(query, core::kHKeyLocalMachine, kSharedToolsKey, kSharedToolsValue,
                          value)) {
        const std::string file = value + kMsinfoFile;
        if (core::FileFound(file)) return file;
    }
#if defined(_WIN32)
    (void)pathVariable;  // Windows programs are registered, not looked for on PATH
    return {};
#else
    return FindOnPath(SystemInfoPrograms(), pathVariable);
#endif
}

}  // namespace core
