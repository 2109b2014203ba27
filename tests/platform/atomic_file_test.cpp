// The atomic save as a user meets it: a file that may not be written is left alone, and a
// save killed at any moment leaves the old file or the whole new one, and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/AtomicFile.h"

#if defined(_WIN32)
#include <io.h>
#include <sys/stat.h>
#else
#include <csignal>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

void Save(const std::string& target, const Bytes& bytes) {
    platform::AtomicFile file(target);
    for (size_t at = 0; at < bytes.size(); at += 65536)
        file.Write(bytes.data() + at, std::min<size_t>(65536, bytes.size() - at));
    file.Commit();
}

// The message of a save over `target` that is refused; empty when it is not refused.
std::string Refusal(const std::string& target) {
    try {
        platform::AtomicFile file(target);
        file.Write(reinterpret_cast<const std::uint8_t*>("new"), 3);
        file.Commit();
    } catch (const std::runtime_error& refused) {
        return refused.what();
    }
    return std::string();
}

}  // namespace

TEST(AtomicFile, AFileThatMayNotBeWrittenIsNotReplaced) {
    TempDir dir;
    const std::string target = dir.File("theirs.gif");
    TempDir::Write(target, Bytes{'o', 'l', 'd'});
#if defined(_WIN32)
    ASSERT_EQ(::_chmod(target.c_str(), _S_IREAD), 0);  // read-only
    EXPECT_NE(Refusal(target).find("theirs.gif"), std::string::npos);
    ::_chmod(target.c_str(), _S_IREAD | _S_IWRITE);
#else
    // The folder lets anybody rename (no sticky bit); the file is writable by its owner only.
    // Root may write any file, so root tries as another user.
    ::chmod(dir.Path().c_str(), 0777);
    ::chmod(target.c_str(), 0644);
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            const std::string message = dropped ? Refusal(target) : std::string();
            ::_exit(message.find("Permission denied") != std::string::npos ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save was not refused";
    } else {
        ::chmod(target.c_str(), 0444);
        EXPECT_NE(Refusal(target).find("Permission denied"), std::string::npos);
    }
    // Nor is a device or a pipe ever replaced by a plain file.
    const std::string pipe = dir.File("pipe.gif");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    EXPECT_NE(Refusal(pipe).find("not a regular file"), std::string::npos);
    struct stat status;
    EXPECT_TRUE(::lstat(pipe.c_str(), &status) == 0 && S_ISFIFO(status.st_mode));
    ::unlink(pipe.c_str());
#endif
    EXPECT_EQ(TempDir::Read(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"theirs.gif"});
}

// File names are UTF-8 on every system: a name outside Windows' ANSI code page is saved,
// and saved over, under that very name.
TEST(AtomicFile, ANameOutsideTheAnsiCodePageIsSavedUnderThatName) {
    TempDir dir;
    const std::string name = "\xCE\xA9 caf\xC3\xA9.gif";  // "Omega café.gif" with the letter
    const std::string target = dir.Path().u8string() + "/" + name;
    Save(target, Bytes{'o', 'l', 'd'});
    Save(target, Bytes{'n', 'e', 'w', 'e', 'r'});
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().u8string());
    EXPECT_EQ(names, std::vector<std::string>{name});
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::u8path(target)), 5u);
}

// The temporary files of saves that died are removed by the next save into the folder; one
// that a live save holds, and files of other names, stay.
TEST(AtomicFile, ASaveRemovesTheTemporaryFilesOfSavesThatDiedAndNoLiveOne) {
    TempDir dir;
    const std::string live = dir.File(".corpo-ba9876543210.tmp");
    for (const char* name : {".corpo-0123456789ab.tmp", ".corpo-0123456789ab.new",
                             ".corpo-ba9876543210.tmp", "notes.tmp", ".corpo-notes.tmp"})
        TempDir::Write(dir.File(name), Bytes{'x'});
        // Held as a save holds its file: locked, or on Windows open without leave to delete it.
#if defined(_WIN32)
    std::FILE* held = std::fopen(live.c_str(), "rb");
    ASSERT_NE(held, nullptr);
#else
    const int held = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
#endif
    Save(dir.File("banner.gif"), Bytes{'n', 'e', 'w'});
    std::vector<std::string> entries = dir.Entries();
    std::sort(entries.begin(), entries.end());
#if defined(_WIN32)
    std::fclose(held);
    // No save there ever names a file ".new".
    EXPECT_EQ(entries,
              (std::vector<std::string>{".corpo-0123456789ab.new", ".corpo-ba9876543210.tmp",
                                        ".corpo-notes.tmp", "banner.gif", "notes.tmp"}));
#else
    ::close(held);
    EXPECT_EQ(entries, (std::vector<std::string>{".corpo-ba9876543210.tmp", ".corpo-notes.tmp",
                                                 "banner.gif", "notes.tmp"}));
#endif
}

#if !defined(_WIN32)
TEST(AtomicFile, ASaveKilledAtAnyMomentLeavesTheTargetWholeAndNothingBehind) {
    TempDir dir;
    const std::string target = dir.File("banner.gif");
    const Bytes first(3 << 20, 'a'), second((3 << 20) + 1, 'b');
    Save(target, first);
    std::mt19937 random(2024);
    for (int kill = 0; kill < 20; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {  // saves one content, then the other, until it is killed
            for (int n = 0;; ++n) {
                Save(target, n % 2 == 0 ? second : first);
                if (n == 0 && ::write(ready[1], "x", 1) != 1) ::_exit(1);
            }
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // one save done: now somewhere in the next
        ::close(ready[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself";
        const Bytes now = TempDir::Read(target);
        EXPECT_TRUE(now == first || now == second) << "a target of " << now.size() << " bytes";
        // A save killed between naming its new file and the rename (microseconds) leaves that
        // name, which the next save into the folder removes; nothing else may stay.
        { platform::AtomicFile next(target); }
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"banner.gif"});
    }
}
#endif
