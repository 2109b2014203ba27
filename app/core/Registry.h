#pragma once
// Reading one value from a registry as text. The About window asks it where the
// system-information tool is installed.

#include <cstdint>
#include <functional>
#include <string>

namespace core {

// The predefined root handle and the value types, with the numbers the registry uses.
inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// Opens `keyName` under `root` and reads the value `valueName`: its type and its bytes.
// False when the key cannot be opened or the value cannot be read. The system's own is
// platform::ReadRegistryValue.
using ValueQuery =
    std::function<bool(std::uint32_t root, const std::string& keyName, const std::string& valueName,
                       std::uint32_t& type, std::string& bytes)>;

// Turns a value's bytes into `value`. A terminating zero byte is dropped from a string
// (one stored without it keeps all its bytes); the text is the ANSI code page's
// (Windows-1252), given back as UTF-8. A double word becomes "&h" and eight upper-case
// hexadecimal digits, most significant byte first. Any other type leaves `value` as it was.
void ValueToText(std::uint32_t type, const std::string& bytes, std::string& value);

// Reads one value through `query` into `value`. True when it was read; on failure `value`
// becomes empty.
bool GetKeyValue(const ValueQuery& query, std::uint32_t root, const std::string& keyName,
                 const std::string& valueName, std::string& value);

}  // namespace core
