#include "app/core/SystemInfo.h"

#include "platform/FileSearch.h"

namespace core {
namespace {

constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kMsinfoValue[] = "PATH";
constexpr char kSharedToolsKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kSharedToolsValue[] = "MSINFO";
constexpr char kMsinfoFile[] = "\\MSINFO32.EXE";

}  // namespace

const std::vector<std::string>& SystemInfoPrograms() {
    static const std::vector<std::string> programs = {
        "hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk", "cpu-x", "gnome-system-monitor",
    };
    return programs;
}

std::string LocateSystemInfo(const core::ValueQuery& query, const std::string& pathVariable) {
    std::string value;
    if (core::GetKeyValue(query, core::kHKeyLocalMachine, kMsinfoKey, kMsinfoValue, value)) {
        return value;
    }
    if (core::GetKeyValue(query, core::kHKeyLocalMachine, kSharedToolsKey, kSharedToolsValue,
                          value)) {
        const std::string file = value + kMsinfoFile;
        if (platform::FileFound(file)) return file;
    }
    return platform::FindOnPath(SystemInfoPrograms(), pathVariable);
}

}  // namespace core
