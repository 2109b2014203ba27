#pragma once
// Reading one value from the platform's registry. The About window asks it where the
// system-information tool is installed; where there is no registry every query fails.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace core {

// The predefined root handle and the value types, with the numbers the registry uses.
inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
// A value is read into a zeroed buffer of this many bytes; a longer value fails to read.
inline constexpr std::size_t kValueBufferSize = 1024;

// Opens `keyName` under `root` with full access and reads the value `valueName`: its type
// and the bytes the registry wrote into the buffer (at most kValueBufferSize). False when
// the key cannot be opened or the value cannot be read.
using ValueQuery =
    std::function<bool(std::uint32_t root, const std::string& keyName, const std::string& valueName,
                       std::uint32_t& type, std::string& bytes)>;

// The query of the running platform; always false where there is no registry.
bool QueryPlatformValue(std::uint32_t root, const std::string& keyName,
                        const std::string& valueName, std::uint32_t& type, std::string& bytes);

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
