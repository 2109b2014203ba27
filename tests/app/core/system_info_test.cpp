#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/core/SystemInfo.h"
#include "platform/FileSearch.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using core::LocateSystemInfo;

namespace {

std::string MakeFile(const std::string& folder, const std::string& name, bool executable) {
    const fs::path path = fs::path(folder) / name;
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(
        path, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
    return path.string();
}

}  // namespace

#if !defined(_WIN32)
using platform::FindOnPath;

TEST(FindOnPath, ListOrderFirstThenPathOrder) {
    TempDir dir;
    const std::string a = dir.Folder("a"), b = dir.Folder("b");
    const std::string path = a + ":" + b;
    MakeFile(b, "second", true);
    const std::string secondInA = MakeFile(a, "second", true);
    const std::string third = MakeFile(a, "third", true);
    // "first" is nowhere; "second" is in both folders, and the earlier folder wins.
    EXPECT_EQ(FindOnPath({"first", "second", "third"}, path), secondInA);
    EXPECT_EQ(FindOnPath({"third", "second"}, path), third);
    EXPECT_EQ(FindOnPath({"first"}, path), "");
}

TEST(FindOnPath, SkipsWhatCannotBeStarted) {
    TempDir dir;
    const std::string a = dir.Folder("a"), b = dir.Folder("b");
    MakeFile(a, "tool", false);                      // not executable
    fs::create_directories(fs::path(a) / "folder");  // a folder of that name
    const std::string tool = MakeFile(b, "tool", true);
    fs::create_directories(fs::path(b) / "folder");
    EXPECT_EQ(FindOnPath({"folder", "tool"}, a + ":" + b), tool);
    EXPECT_EQ(FindOnPath({"tool"}, a), "");
    // Empty PATH entries are not taken for the current folder.
    const fs::path previous = fs::current_path();
    fs::current_path(b);
    EXPECT_EQ(FindOnPath({"tool"}, "::" + a + ":"), "");
    EXPECT_EQ(FindOnPath({"tool"}, ""), "");
    fs::current_path(previous);
    // An empty program name finds no folder.
    EXPECT_EQ(FindOnPath({""}, b), "");
}
#endif

TEST(LocateSystemInfo, RegistryAnswersComeFirst) {
    TempDir dir;
    const std::string bin = dir.Folder("bin");
#if defined(_WIN32)
    // Windows has no fallback: a tool the registry does not name is not there.
    const std::string onPath;
    MakeFile(bin, "msinfo32.exe", true);
#else
    const std::string onPath = MakeFile(bin, core::SystemInfoPrograms().back(), true);
#endif

    // The tool's own key names its full file name.
    const core::ValueQuery direct = [](std::uint32_t, const std::string& key,
                                       const std::string& value, std::uint32_t& type,
                                       std::string& bytes) {
        if (key != "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO" || value != "PATH") return false;
        type = core::kRegSz;
        bytes = std::string("C:\\msinfo32.exe") + '\0';
        return true;
    };
    EXPECT_EQ(LocateSystemInfo(direct, bin), "C:\\msinfo32.exe");

    // The shared-tools folder counts only when the tool's file is in it.
    std::string sharedFolder = "/nonexistent-shared-tools";
    const core::ValueQuery shared = [&](std::uint32_t, const std::string& key,
                                        const std::string& value, std::uint32_t& type,
                                        std::string& bytes) {
        if (key != "SOFTWARE\\Microsoft\\Shared Tools Location" || value != "MSINFO") return false;
        type = core::kRegSz;
        bytes = sharedFolder;
        return true;
    };
    EXPECT_EQ(LocateSystemInfo(shared, bin), onPath);
    sharedFolder = dir.Folder("shared");
    const std::string joined = sharedFolder + "\\MSINFO32.EXE";
    std::ofstream(joined) << "";
    EXPECT_EQ(LocateSystemInfo(shared, bin), joined);
}
