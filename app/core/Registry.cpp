#include "app/core/Registry.h"

#include "app/core/Cp1252.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace core {

#if defined(_WIN32)
bool QueryPlatformValue(std::uint32_t root, const std::string& keyName,
                        const std::string& valueName, std::uint32_t& type, std::string& bytes) {
    // The predefined roots are 32-bit values that the 64-bit API sign-extends.
    const auto rootHandle = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootHandle, keyName.c_str(), 0, kKeyAllAccess, &key) != ERROR_SUCCESS) {
        return false;
    }
    std::string buffer(kValueBufferSize, '\0');
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
#else
bool QueryPlatformValue(std::uint32_t, const std::string&, const std::string&, std::uint32_t&,
                        std::string&) {
    return false;  // no registry on this platform
}
#endif

void ValueToText(std::uint32_t type, const std::string& bytes, std::string& value) {
    if (type == kRegSz) {
        std::string text = bytes;
        if (!text.empty() && text.back() == '\0') text.pop_back();
        value = core::cp1252::ToUtf8(text);
    } else if (type == kRegDword) {
        // The value is the first four bytes, least significant first. The buffer they were
        // read into starts zeroed, so bytes the registry did not write count as zero; a
        // zero high byte is a digit pair like any other, not a terminator.
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string text = "&h";
        for (int i = 3; i >= 0; --i) {
            const auto byte = static_cast<std::size_t>(i) < bytes.size()
                                  ? static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)])
                                  : 0u;
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0x0F];
        }
        value = text;
    }
}

bool GetKeyValue(const ValueQuery& query, std::uint32_t root, const std::string& keyName,
                 const std::string& valueName, std::string& value) {
    std::uint32_t type = 0;
    std::string bytes;
    if (!query || !query(root, keyName, valueName, type, bytes)) {
        value.clear();
        return false;
    }
    ValueToText(type, bytes, value);
    return true;
}

}  // namespace core
