#pragma once
// Reading one value from the system's registry. Where there is no registry every read fails.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The access a key is opened with: all of it, as the About window has always asked.
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// A value is read into a zeroed buffer of this many bytes; a longer value fails to read.
inline constexpr std::size_t kRegistryValueBufferSize = 1024;

// Opens `keyName` under the predefined key `root` (HKEY_LOCAL_MACHINE is 0x80000002) with
// kKeyAllAccess and reads the value `valueName`: its type and the bytes the registry wrote
// into the buffer. False when the key cannot be opened or the value cannot be read, and
// always where there is no registry.
bool ReadRegistryValue(std::uint32_t root, const std::string& keyName, const std::string& valueName,
                       std::uint32_t& type, std::string& bytes);

// The per-user root, where a program keeps its settings (HKEY_CURRENT_USER).
inline constexpr std::uint32_t kHKeyCurrentUser = 0x80000001;

// The text (REG_SZ) value `valueName` of `keyName` under `root`, names and text in UTF-8 (the
// registry's own wide text, so any character a user types comes back). False when the key
// or the value is missing or not a text, and always where there is no registry.
bool ReadRegistryText(std::uint32_t root, const std::string& keyName,
                      const std::string& valueName, std::string& text);
// Writes `text` as the text value `valueName` of `keyName` under `root`, making the key when
// it is missing. False when it cannot be written, and always where there is no registry.
bool WriteRegistryText(std::uint32_t root, const std::string& keyName,
                       const std::string& valueName, const std::string& text);

}  // namespace platform
