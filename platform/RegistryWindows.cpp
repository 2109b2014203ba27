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

namespace platform {
namespace {

HKEY RootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                        length, nullptr, nullptr);
    return utf8;
}

}  // namespace

bool ReadRegistryText(std::uint32_t root, const std::string& keyName,
                      const std::string& valueName, std::string& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootHandle(root), Wide(keyName).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring name = Wide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    std::wstring value;
    if (result == ERROR_SUCCESS && type == REG_SZ) {
        value.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data()), &size);
        value.resize(size / sizeof(wchar_t));
        // Stored with or without its terminator.
        while (!value.empty() && value.back() == L'\0') value.pop_back();
    }
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return false;
    text = Utf8(value);
    return true;
}

bool WriteRegistryText(std::uint32_t root, const std::string& keyName,
                       const std::string& valueName, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootHandle(root), Wide(keyName).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring value = Wide(text);
    const LONG result = RegSetValueExW(
        key, Wide(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace platform
