#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "app/core/Branding.h"
#include "app/core/Cp1252.h"
#include "app/core/Descrambler.h"
#include "app/core/Paths.h"
#include "platform/FileSearch.h"
#include "platform/SystemFolders.h"
#include "tests/support/TempDir.h"
#include "tools/brand/BrandScrambler.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using core::Descramble;

namespace {

const std::string kSeparator(1, platform::kPathSeparator);

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

}  // namespace

TEST(Descramble, KeyCycleAndLengths) {
    EXPECT_EQ(Descramble(""), "");
    EXPECT_EQ(Descramble("ab"), "");    // a key byte missing
    EXPECT_EQ(Descramble("abc"), "");   // key only
    EXPECT_EQ(Descramble("abcd"), "");  // keys k1..k3 and k4, no body
    // Five bytes: one body byte, shifted by the first key byte.
    EXPECT_EQ(Descramble(Bytes({10, 20, 30, 10 + 'A', 99})), "A");
    // k4 is the last byte, not the fourth; the fifth body byte starts over at k1.
    const std::string stored = Bytes({1, 2, 3, 'a' + 1, 'b' + 2, 'c' + 3, 'd' + 7, 'e' + 1, 7});
    EXPECT_EQ(Descramble(stored), "abcde");
}

TEST(Descramble, AnyFailureEmptiesTheWholeText) {
    // The third body byte is below its key: nothing of the text survives.
    EXPECT_EQ(Descramble(Bytes({1, 1, 50, 'a' + 1, 'b' + 1, 10, 0})), "");
    // Shifts reach the top of the code range exactly.
    EXPECT_EQ(Descramble(Bytes({0, 0, 0, 255, 0})), Bytes({255}));
}

TEST(Scramble, RoundTripsEveryByteWithFittingKeys) {
    std::mt19937 random(42);
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    for (const std::string& plain : {std::string(), std::string("x"), std::string("Corpometer"),
                                     all, std::string(1000, '\xFF')}) {
        for (int trial = 0; trial < 20; ++trial) {
            const std::string stored = brand::Scramble(plain, random);
            ASSERT_EQ(stored.size(), plain.size() + 4);
            EXPECT_EQ(Descramble(stored), plain);
        }
    }
    // Key bytes are printable when the text leaves room for it.
    const std::string stored = brand::Scramble("hello", random);
    for (size_t i : {size_t{0}, size_t{1}, size_t{2}, stored.size() - 1}) {
        EXPECT_GE(static_cast<unsigned char>(stored[i]), 33);
        EXPECT_LE(static_cast<unsigned char>(stored[i]), 126);
    }
}

TEST(Cp1252, ConvertsTheHighControlsBothWays) {
    EXPECT_EQ(core::cp1252::ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(core::cp1252::ToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(core::cp1252::FromUtf8("\xE2\x82\xAC\xC3\xA9"), std::string("\x80\xE9"));
    EXPECT_FALSE(
        core::cp1252::FromUtf8("\xE4\xB8\xAD").has_value());   // a CJK character has no code
    EXPECT_FALSE(core::cp1252::FromUtf8("\xC3").has_value());  // cut-short sequence
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(core::cp1252::FromUtf8(core::cp1252::ToUtf8(all)), all);
}

TEST(Utilities, AddBackslashAndFileFound) {
    std::string path;
#if defined(_WIN32)
    EXPECT_EQ(core::AddBackslash(path), "\\");
    path = "C:\\Program Files\\Corpometer";
    EXPECT_EQ(core::AddBackslash(path), "C:\\Program Files\\Corpometer\\");
    EXPECT_EQ(path, "C:\\Program Files\\Corpometer\\");  // the caller's variable changes too
    EXPECT_EQ(core::AddBackslash(path), "C:\\Program Files\\Corpometer\\");
    EXPECT_EQ(core::NativeSeparators("art/banner.gif"), "art\\banner.gif");
#else
    EXPECT_EQ(core::AddBackslash(path), "/");
    path = "/opt/app";
    EXPECT_EQ(core::AddBackslash(path), "/opt/app/");
    EXPECT_EQ(path, "/opt/app/");  // the caller's variable changes too
    EXPECT_EQ(core::AddBackslash(path), "/opt/app/");
    EXPECT_EQ(core::NativeSeparators("art\\banner.gif"), "art/banner.gif");
#endif

    TempDir dir;
    WriteBytes(dir.Path() / "a.gif", "x");
    EXPECT_TRUE(platform::FileFound((dir.Path() / "a.gif").string()));
    EXPECT_TRUE(platform::FileFound(dir.Path().string()));  // a directory counts
    EXPECT_TRUE(platform::FileFound((dir.Path() / "*.gif").string()));
    EXPECT_FALSE(platform::FileFound((dir.Path() / "*.png").string()));
    EXPECT_FALSE(platform::FileFound((dir.Path() / "b.gif").string()));
    EXPECT_FALSE(platform::FileFound(""));
}

class LoadBrandingTest : public ::testing::Test {
  protected:
    void Load() { core::LoadBranding(dir.Path().string()); }
    void ExpectDefaults() {
        const auto& s = core::BrandingSettings;
        EXPECT_EQ(s.NameText, "(Your company name && link or small banner here)");
        EXPECT_EQ(s.Title, "Corpometer");
        EXPECT_EQ(s.Link, "");
        EXPECT_EQ(s.BannerPath, "");
        EXPECT_EQ(s.ShowPictureBanner, 0);
        EXPECT_EQ(s.ShowAnimatedBanner, 0);
    }
    TempDir dir;
};

TEST_F(LoadBrandingTest, MissingEmptyOrUnreadableFileKeepsTheDefaults) {
    core::BrandingSettings.Title = "stale";
    Load();
    ExpectDefaults();

    WriteBytes(dir.Path() / "3.dat", "");
    Load();
    ExpectDefaults();
    EXPECT_FALSE(fs::exists(dir.Path() / "3.dat"));  // the empty file is deleted

    fs::create_directory(dir.Path() / "3.dat");  // a directory of that name
    Load();
    ExpectDefaults();
}

TEST_F(LoadBrandingTest, AFileThatIsNotABrandingRecordIsPassedOverAndNamed) {
    // Longer than any record: not read, not used, one line naming it.
    WriteBytes(dir.Path() / "3.dat", std::string(100 * 1024, 'x'));
    testing::internal::CaptureStderr();
    Load();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("3.dat"), std::string::npos);
    ExpectDefaults();
    EXPECT_TRUE(fs::exists(dir.Path() / "3.dat"));
    fs::remove(dir.Path() / "3.dat");
#if !defined(_WIN32)
    // A pipe would block the start for ever, a device never end; an empty file behind a link
    // is not ours to delete. Each is passed over and left where it is.
    WriteBytes(dir.Path() / "empty", "");
    for (const char* kind : {"pipe", "device", "link to an empty file"}) {
        SCOPED_TRACE(kind);
        const fs::path file = dir.Path() / "3.dat";
        if (kind[0] == 'p') {
            ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        } else {
            fs::create_symlink(kind[0] == 'd' ? fs::path("/dev/zero") : dir.Path() / "empty", file);
        }
        Load();
        ExpectDefaults();
        EXPECT_TRUE(fs::is_symlink(file) || fs::is_fifo(file));
        fs::remove(file);
    }
    EXPECT_TRUE(fs::exists(dir.Path() / "empty"));
#endif
}

TEST_F(LoadBrandingTest, ABannerOutsideTheFolderOfItsFileOrNotARegularFileIsDropped) {
    std::mt19937 random(11);
    const auto brandWith = [&](const std::string& banner) {
        core::BrandingRecord record;
        record.Title = brand::Scramble("Branded", random);
        record.ShowPictureBanner = 1;
        record.ShowAnimatedBanner = 1;
        record.BannerFile = brand::Scramble(banner, random);
        WriteBytes(dir.Path() / "3.dat", core::SerializeBrandingRecord(record));
        testing::internal::CaptureStderr();
        Load();
        return testing::internal::GetCapturedStderr();
    };
    for (const char* climbing :
         {"../x.gif", "..\\..\\x.gif", "art/../../x.gif", "a\\..\\..\\b/x.gif"}) {
        SCOPED_TRACE(climbing);
        EXPECT_NE(brandWith(climbing).find("x.gif"), std::string::npos);
        EXPECT_EQ(core::BrandingSettings.Title, "Branded");  // the rest of the record stands
        EXPECT_EQ(core::BrandingSettings.ShowPictureBanner, 0);
        EXPECT_EQ(core::BrandingSettings.ShowAnimatedBanner, 0);
        EXPECT_EQ(core::BrandingSettings.BannerPath, "");
    }
    fs::create_directory(dir.Path() / "art");
    WriteBytes(dir.Path() / "banner.gif", "GIF89a");
    WriteBytes(dir.Path() / "art" / "banner.gif", "GIF89a");
    for (const char* inside : {"banner.gif", "art\\..\\banner.gif", "./art/banner.gif"}) {
        SCOPED_TRACE(inside);
        EXPECT_EQ(brandWith(inside), "");
        EXPECT_EQ(core::BrandingSettings.ShowAnimatedBanner, 1);
    }
    // A banner that is not there is named too, the name that looks absolute as it was given
    // (it is looked for inside the folder); so is one that names nothing or a folder.
    for (const char* absent : {"missing.gif", "/home/me/anim.gif", "", "art"}) {
        SCOPED_TRACE(absent);
        const std::string said = brandWith(absent);
        EXPECT_NE(said.find("corpometer: not using \"" + dir.Path().string()), std::string::npos)
            << said;
        EXPECT_EQ(said.find("//"), std::string::npos) << said;
        if (absent[0] == '/') {
            EXPECT_NE(said.find("\"/home/me/anim.gif\" is looked for inside"), std::string::npos);
        }
        EXPECT_EQ(core::BrandingSettings.ShowAnimatedBanner, 0);
    }
#if !defined(_WIN32)
    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.gif").c_str(), 0644), 0);
    EXPECT_NE(brandWith("pipe.gif").find("pipe.gif"), std::string::npos);
    EXPECT_EQ(core::BrandingSettings.ShowPictureBanner, 0);
    EXPECT_EQ(core::BrandingSettings.BannerPath, "");
#endif
}

TEST_F(LoadBrandingTest, ReadsDescramblesAndBuildsTheBannerPath) {
    std::mt19937 random(7);
    core::BrandingRecord record;
    record.NameText = brand::Scramble("ACME && Co \xE9", random);
    record.Title = brand::Scramble("Body Check", random);
    record.Link = brand::Scramble("https://example.invalid/", random);
    record.ShowPictureBanner = 0;
    record.ShowAnimatedBanner = 5;  // any nonzero value is on
    record.BannerFile = brand::Scramble("art\\banner.gif", random);
    record.NameFontSize = 20;
    record.TitleFontSize = 9;
    record.FontName = "Arial";
    const std::string bytes = core::SerializeBrandingRecord(record) + "trailing bytes ignored";
    WriteBytes(dir.Path() / "3.dat", bytes);
    fs::create_directory(dir.Path() / "art");
    WriteBytes(dir.Path() / "art" / "banner.gif", "GIF89a");
    Load();

    const auto& s = core::BrandingSettings;
    EXPECT_EQ(s.NameText, "ACME && Co \xC3\xA9");
    EXPECT_EQ(s.Title, "Body Check");
    EXPECT_EQ(s.Link, "https://example.invalid/");
    EXPECT_EQ(s.BannerPath, dir.Path().string() + kSeparator + "art" + kSeparator + "banner.gif");
    EXPECT_EQ(s.ShowAnimatedBanner, 5);
    const core::BrandingRecord stored = core::ParseBrandingRecord(bytes);
    EXPECT_EQ(stored.FontName, "Arial");  // kept plain, never descrambled
    EXPECT_EQ(stored.NameFontSize, 20);
}

TEST_F(LoadBrandingTest, ARecordCutShortLeavesTheRestEmpty) {
    std::mt19937 random(3);
    core::BrandingRecord record;
    record.NameText = brand::Scramble("Name", random);
    record.Title = brand::Scramble("Title", random);
    record.Link = brand::Scramble("Link", random);
    record.ShowPictureBanner = -1;
    record.ShowAnimatedBanner = -1;
    record.BannerFile = brand::Scramble("b.gif", random);
    record.NameFontSize = 17;
    record.TitleFontSize = 8;
    record.FontName = "Tahoma";
    const std::string full = core::SerializeBrandingRecord(record);

    // Cut inside every field: what is complete survives, nothing after it does.
    for (size_t length = 1; length < full.size(); ++length) {
        const core::BrandingRecord cut = core::ParseBrandingRecord(full.substr(0, length));
        const core::BrandingRecord again =
            core::ParseBrandingRecord(core::SerializeBrandingRecord(cut).substr(0, length));
        EXPECT_LE(core::SerializeBrandingRecord(cut).size(), full.size());
        EXPECT_EQ(again.FontName, cut.FontName);
        EXPECT_NE(cut.FontName, "Tahoma") << length;
    }
    // A text count that runs past the end of the file gives an empty text and stops there.
    const core::BrandingRecord overlong = core::ParseBrandingRecord(Bytes({0xFF, 0xFF, 'a', 'b'}));
    EXPECT_EQ(overlong.NameText, "");
    EXPECT_EQ(overlong.Title, "");
    EXPECT_EQ(overlong.FontName, "");

    WriteBytes(dir.Path() / "3.dat", full.substr(0, 12));
    testing::internal::CaptureStderr();
    Load();
    // The blank values stand, and the loss is said once, with the file and the field.
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "corpometer: \"" + (dir.Path() / "3.dat").string() +
                        "\" is damaged: the file ends inside the field Title, which shows blank "
                        "with every field after it\n");
    EXPECT_EQ(core::BrandingSettings.NameText, "Name");
    EXPECT_EQ(core::BrandingSettings.Title, "");
    EXPECT_EQ(core::BrandingSettings.ShowPictureBanner, 0);
    EXPECT_EQ(core::BrandingSettings.BannerPath, dir.Path().string() + kSeparator);
}

TEST(BrandingDamage, NamesTheFieldsThatShowBlankAndNothingElse) {
    std::mt19937 random(5);
    core::BrandingRecord record;
    record.NameText = brand::Scramble("Name", random);
    record.Title = brand::Scramble("Title", random);
    record.Link = brand::Scramble("", random);  // a key and no body: empty, and whole
    record.BannerFile = brand::Scramble("b.gif", random);
    record.FontName = "Tahoma";
    const std::string whole = core::SerializeBrandingRecord(record);
    EXPECT_EQ(core::BrandingDamage(whole), "");
    EXPECT_EQ(core::BrandingDamage(whole.substr(0, whole.size() - 3)),
              "the file ends inside the field FontName, which shows blank with every field "
              "after it");
    // A file may end between fields; the fields it does not reach are not lost ones.
    EXPECT_EQ(core::BrandingDamage(whole.substr(0, 2 + record.NameText.size())), "");

    // A body byte below its key, and a text too short for its key.
    record.Title[0] = '\x10';  // the first key byte
    record.Title[3] = '\x0f';  // the first body byte, which it is taken from
    EXPECT_EQ(core::BrandingDamage(core::SerializeBrandingRecord(record)),
              "the field Title cannot be descrambled and shows blank");
    record.BannerFile = "ab";
    EXPECT_EQ(core::BrandingDamage(core::SerializeBrandingRecord(record)),
              "the fields Title and BannerFile cannot be descrambled and show blank");
}

// Until start-up names the application's folder, it is the running program's own, and the
// branding file is read from beside the executable.
TEST(ApplicationDirectory, BrandingFileBesideTheExecutable) {
    const std::string folder = platform::ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
#if defined(_WIN32)
    // Named as Windows names folders: a drive letter and "\\" throughout.
    EXPECT_TRUE(folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') << folder;
    EXPECT_EQ(folder.find('/'), std::string::npos) << folder;
#endif
    ASSERT_TRUE(fs::is_directory(fs::u8path(folder))) << folder;

    const fs::path file = fs::u8path(folder) / "3.dat";
    struct RemoveAfterwards {
        fs::path file;
        ~RemoveAfterwards() {
            std::error_code ignored;
            fs::remove(file, ignored);
        }
    } removeAfterwards{file};
    std::mt19937 random(11);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.Title = brand::Scramble("Beside", random);
    record.BannerFile = brand::Scramble("art\\banner.gif", random);
    WriteBytes(file, core::SerializeBrandingRecord(record));
    core::LoadBranding();
    EXPECT_EQ(core::BrandingSettings.Title, "Beside");
    EXPECT_EQ(core::BrandingSettings.BannerPath,
              folder + kSeparator + "art" + kSeparator + "banner.gif");

    // A folder named at start-up loses its trailing separators, but a root keeps its own.
#if defined(_WIN32)
    core::SetApplicationDirectory("C:/Program Files/Corpometer/");  // as toolkits give it
    EXPECT_EQ(core::ApplicationDirectory(), "C:\\Program Files\\Corpometer");
    core::SetApplicationDirectory("D:\\");
    EXPECT_EQ(core::ApplicationDirectory(), "D:\\");
    EXPECT_EQ(core::DecodeBranding(record, core::ApplicationDirectory()).BannerPath,
              "D:\\art\\banner.gif");
#else
    core::SetApplicationDirectory("/opt/corpometer//");
    EXPECT_EQ(core::ApplicationDirectory(), "/opt/corpometer");
    core::SetApplicationDirectory("/");
    EXPECT_EQ(core::ApplicationDirectory(), "/");
    EXPECT_EQ(core::DecodeBranding(record, core::ApplicationDirectory()).BannerPath,
              "/art/banner.gif");
#endif
    core::SetApplicationDirectory(folder);
}

#if defined(_WIN32)
// Windows keeps its branding beside the executable only.
TEST(BrandingFolders, OnlyTheExecutableFolder) {
    EXPECT_EQ(core::BrandingFolders("C:\\Corpometer"), std::vector<std::string>{"C:\\Corpometer"});
}
#else
// An installed program: beside the executable, then the user's configuration folder, then
// the machine's; relative entries of the variables are ignored.
TEST(BrandingFolders, ExecutableFolderThenUserThenMachineConfiguration) {
    const auto withEnvironment = [](const char* home, const char* configHome,
                                    const char* configDirs) {
        const auto set = [](const char* name, const char* value) {
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        };
        set("HOME", home);
        set("XDG_CONFIG_HOME", configHome);
        set("XDG_CONFIG_DIRS", configDirs);
        return core::BrandingFolders("/opt/app/bin");
    };
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    using Folders = std::vector<std::string>;
    EXPECT_EQ(
        withEnvironment("/home/u", "/cfg", "/site:relative:/etc/xdg"),
        (Folders{"/opt/app/bin", "/cfg/corpometer", "/site/corpometer", "/etc/xdg/corpometer"}));
    EXPECT_EQ(withEnvironment("/home/u", "", nullptr),
              (Folders{"/opt/app/bin", "/home/u/.config/corpometer", "/etc/xdg/corpometer"}));
    EXPECT_EQ(withEnvironment(nullptr, "relative", ":"), (Folders{"/opt/app/bin"}));
    withEnvironment(savedHome.c_str(), nullptr, nullptr);
}
#endif

TEST_F(LoadBrandingTest, TheFirstFolderWithAFileWinsAndItsBannerIsBesideIt) {
    const fs::path executable = dir.Path() / "bin";
    const fs::path user = dir.Path() / "user";
    const fs::path machine = dir.Path() / "machine";
    for (const fs::path& folder : {executable, user, machine})
        fs::create_directory(folder);
    std::mt19937 random(5);
    core::BrandingRecord record;
    record.Title = brand::Scramble("Machine", random);
    record.BannerFile = brand::Scramble("banner.gif", random);
    WriteBytes(machine / "3.dat", core::SerializeBrandingRecord(record));
    WriteBytes(user / "3.dat", "");  // empty: as if it were not there
    const std::vector<std::string> folders{executable.string(), user.string(), machine.string()};

    EXPECT_EQ(core::LoadBrandingFrom(folders), machine.string());
    EXPECT_EQ(core::BrandingSettings.Title, "Machine");
    EXPECT_EQ(core::BrandingSettings.BannerPath, (machine / "banner.gif").string());

    record.Title = brand::Scramble("User", random);
    WriteBytes(user / "3.dat", core::SerializeBrandingRecord(record));
    EXPECT_EQ(core::LoadBrandingFrom(folders), user.string());
    EXPECT_EQ(core::BrandingSettings.Title, "User");
    EXPECT_EQ(core::BrandingSettings.BannerPath, (user / "banner.gif").string());

    record.Title = brand::Scramble("Beside", random);
    WriteBytes(executable / "3.dat", core::SerializeBrandingRecord(record));
    EXPECT_EQ(core::LoadBrandingFrom(folders), executable.string());
    EXPECT_EQ(core::BrandingSettings.Title, "Beside");

    for (const fs::path& folder : {executable, user, machine})
        fs::remove(folder / "3.dat");
    EXPECT_EQ(core::LoadBrandingFrom(folders), "");
    ExpectDefaults();
}
