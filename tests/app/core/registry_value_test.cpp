#include <gtest/gtest.h>

#include <string>

#include "app/core/Registry.h"
#include "platform/Registry.h"

#if defined(_WIN32)
#include <windows.h>
#endif

using core::GetKeyValue;
using core::kRegDword;
using core::kRegSz;
using core::ValueToText;

namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

std::string Text(std::uint32_t type, const std::string& bytes, std::string before = "unchanged") {
    ValueToText(type, bytes, before);
    return before;
}

}  // namespace

TEST(RegistryValue, StringsLoseOnlyTheirTerminator) {
    // With and without the terminating zero, the text is the same.
    EXPECT_EQ(Text(kRegSz, std::string("C:\\Tools\\msinfo32.exe") + '\0'),
              "C:\\Tools\\msinfo32.exe");
    EXPECT_EQ(Text(kRegSz, "C:\\Tools\\msinfo32.exe"), "C:\\Tools\\msinfo32.exe");
    // Only one zero goes: a value stored with two keeps the first.
    EXPECT_EQ(Text(kRegSz, Bytes({'a', 0, 0})), std::string("a") + '\0');
    // An empty value, and one that is only its terminator.
    EXPECT_EQ(Text(kRegSz, ""), "");
    EXPECT_EQ(Text(kRegSz, Bytes({0})), "");
    // The text is the ANSI code page's, handed on as UTF-8.
    EXPECT_EQ(Text(kRegSz, Bytes({'C', ':', '\\', 0xC9, 't', 0xE9, 0})), "C:\\\xC3\x89t\xC3\xA9");
}

TEST(RegistryValue, DoubleWordsShowEightDigitsMostSignificantFirst) {
    EXPECT_EQ(Text(kRegDword, Bytes({0x78, 0x56, 0x34, 0x12})), "&h12345678");
    EXPECT_EQ(Text(kRegDword, Bytes({0xEF, 0xBE, 0xAD, 0xDE})), "&hDEADBEEF");
    // A zero high byte is part of the number, not a terminator to drop.
    EXPECT_EQ(Text(kRegDword, Bytes({0x05, 0x00, 0x00, 0x00})), "&h00000005");
    EXPECT_EQ(Text(kRegDword, Bytes({0x00, 0x00, 0x00, 0x00})), "&h00000000");
    // Fewer bytes than a double word: the rest of the zeroed buffer counts.
    EXPECT_EQ(Text(kRegDword, Bytes({0x2A})), "&h0000002A");
}

TEST(RegistryValue, OtherTypesLeaveTheTextAsItWas) {
    EXPECT_EQ(Text(0, "abc"), "unchanged");                               // REG_NONE
    EXPECT_EQ(Text(3, Bytes({1, 2, 3})), "unchanged");                    // REG_BINARY
    EXPECT_EQ(Text(5, Bytes({0, 0, 0, 1})), "unchanged");                 // big-endian dword
    EXPECT_EQ(Text(7, std::string("a\0b\0\0", 5)), "unchanged");          // REG_MULTI_SZ
    EXPECT_EQ(Text(2, std::string("%SystemRoot%") + '\0'), "unchanged");  // REG_EXPAND_SZ
}

TEST(RegistryValue, GetKeyValueReportsReadsAndEmptiesOnFailure) {
    std::string asked;
    const core::ValueQuery found = [&](std::uint32_t root, const std::string& key,
                                       const std::string& value, std::uint32_t& type,
                                       std::string& bytes) {
        asked = std::to_string(root) + "|" + key + "|" + value;
        type = kRegSz;
        bytes = std::string("x.exe") + '\0';
        return true;
    };
    std::string keyVal = "old";
    EXPECT_TRUE(GetKeyValue(found, core::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "x.exe");
    EXPECT_EQ(asked, std::to_string(0x80000002u) + "|K|V");

    const core::ValueQuery missing = [](std::uint32_t, const std::string&, const std::string&,
                                        std::uint32_t&, std::string&) { return false; };
    keyVal = "old";
    EXPECT_FALSE(GetKeyValue(missing, core::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "");

    // A value read with a type the text ignores still counts as read.
    const core::ValueQuery binary = [](std::uint32_t, const std::string&, const std::string&,
                                       std::uint32_t& type, std::string& bytes) {
        type = 3;
        bytes = "zz";
        return true;
    };
    keyVal = "old";
    EXPECT_TRUE(GetKeyValue(binary, core::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "old");
}

#if defined(_WIN32)
// The look-up against the system's own registry: a key of this test's own under the root
// the program reads, written with the registry functions, read back through the look-up the
// About window uses, and removed afterwards.
TEST(PlatformRegistry, ReadsWhatTheRegistryFunctionsWrote) {
    const std::string keyName =
        "SOFTWARE\\Corpometer test " + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    struct DeleteAfterwards {
        HKEY key;
        std::string name;
        ~DeleteAfterwards() {
            RegCloseKey(key);
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, name.c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, name.c_str());
        }
    } deleteAfterwards{key, keyName};
    const auto set = [&](const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS)
            << name;
    };
    const std::string tool = "C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe";
    set("PATH", REG_SZ, tool + '\0');
    set("Bare", REG_SZ, tool);  // stored without its terminator
    set("Expand", REG_EXPAND_SZ, std::string("%ProgramFiles%\\msinfo32.exe") + '\0');
    set("Count", REG_DWORD, Bytes({0x78, 0x56, 0x34, 0x12}));
    set("Long", REG_SZ, std::string(platform::kRegistryValueBufferSize + 10, 'x') + '\0');

    const auto read = [&](const std::string& keyPath, const std::string& value, std::string& text) {
        return GetKeyValue(platform::ReadRegistryValue, core::kHKeyLocalMachine, keyPath, value,
                           text);
    };
    std::string text = "old";
    EXPECT_TRUE(read(keyName, "PATH", text));
    EXPECT_EQ(text, tool);
    text = "old";
    EXPECT_TRUE(read(keyName, "Bare", text));
    EXPECT_EQ(text, tool);
    // Read, but not a type the look-up turns into text.
    text = "old";
    EXPECT_TRUE(read(keyName, "Expand", text));
    EXPECT_EQ(text, "old");
    EXPECT_TRUE(read(keyName, "Count", text));
    EXPECT_EQ(text, "&h12345678");
    // What cannot be read leaves an empty text: a value longer than the buffer, a missing
    // value, a missing key.
    text = "old";
    EXPECT_FALSE(read(keyName, "Long", text));
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_FALSE(read(keyName, "Missing", text));
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_FALSE(read(keyName + "\\Missing", "PATH", text));
    EXPECT_EQ(text, "");
}
#endif
