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

}  // namespace platform
