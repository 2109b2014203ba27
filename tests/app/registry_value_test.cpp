#include <gtest/gtest.h>

#include <string>

#include "mRegistry.h"

using mRegistry::GetKeyValue;
using mRegistry::kRegDword;
using mRegistry::kRegSz;
using mRegistry::ValueToText;

namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

std::string Text(uint32_t type, const std::string& bytes, std::string before = "unchanged") {
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
    const mRegistry::ValueQuery found = [&](uint32_t root, const std::string& key,
                                            const std::string& value, uint32_t& type,
                                            std::string& bytes) {
        asked = std::to_string(root) + "|" + key + "|" + value;
        type = kRegSz;
        bytes = std::string("x.exe") + '\0';
        return true;
    };
    std::string keyVal = "old";
    EXPECT_TRUE(GetKeyValue(found, mRegistry::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "x.exe");
    EXPECT_EQ(asked, std::to_string(0x80000002u) + "|K|V");

    const mRegistry::ValueQuery missing = [](uint32_t, const std::string&, const std::string&,
                                             uint32_t&, std::string&) { return false; };
    keyVal = "old";
    EXPECT_FALSE(GetKeyValue(missing, mRegistry::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "");

    // A value read with a type the text ignores still counts as read.
    const mRegistry::ValueQuery binary = [](uint32_t, const std::string&, const std::string&,
                                            uint32_t& type, std::string& bytes) {
        type = 3;
        bytes = "zz";
        return true;
    };
    keyVal = "old";
    EXPECT_TRUE(GetKeyValue(binary, mRegistry::kHKeyLocalMachine, "K", "V", keyVal));
    EXPECT_EQ(keyVal, "old");
}
