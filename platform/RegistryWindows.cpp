#include <windows.h>

#include "platform/Registry.h"

namespace platform {

bool ReadRegistryValue(std::uint32_t root, const std::string& keyName, const std::string& valueName,
                       std::uint32_t& type, std::string& bytes) {
    // The predefined roots are 32-bit values that the 64-bit API sign-extends.
    const auto rootHandle = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootHandle, keyName.c_str(), 0, kKeyAllAccess, &key) != ERROR_SUCCESS) {
        return false;
    }
    std::string buffer(kRegistryValueBufferSize, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD valueType = 0;
    const LONG result = RegQueryValueExA(key, valueName.c_str(), nullptr, &valueType,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    type = valueType;
    bytes = buffer.substr(0, size);
    return true;
}

}  // namespace platform
