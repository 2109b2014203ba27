#include "app/core/UserLanguage.h"

#include <vector>

namespace core {

std::string UserLanguage::Text(const char* context, const char* source) const {
    return translate ? translate(context, source) : std::string(source);
}

std::string UserLanguage::Decimals(const std::string& number) const {
    std::string shown;
    for (const char c : number) {
        if (c == '.') {
            shown += decimalMark;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string WithArguments(const std::string& text, std::initializer_list<std::string> arguments) {
    const std::vector<std::string> values(arguments);
    std::string result;
    // One pass, so that an argument holding "%2" is not replaced again.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < values.size()) {
                result += values[index];
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

}  // namespace core
