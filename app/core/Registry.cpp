#include "app/core/Registry.h"

#include "app/core/Cp1252.h"

namespace core {

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
