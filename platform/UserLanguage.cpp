#include "platform/UserLanguage.h"

#include <cctype>

namespace platform {
namespace {

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

}  // namespace

std::string LanguageOfLocale(const std::string& locale) {
    std::string code;
    for (const char c : locale) {
        if (c == '_' || c == '-' || c == '.' || c == '@' || c == ':') break;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return code;
}

std::string MessageLanguage(const char* language, const char* lcAll, const char* lcMessages,
                            const char* lang) {
    const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : lang;
    if (!Set(locale)) return std::string();
    const std::string named = LanguageOfLocale(locale);
    if (named == "c" || named == "posix") return std::string();
    return Set(language) ? LanguageOfLocale(language) : named;
}

}  // namespace platform
