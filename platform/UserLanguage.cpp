#include "platform/UserLanguage.h"

#include <cctype>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace platform {
namespace {

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

// "de_DE.UTF-8", "fr_FR@euro", "es": the language part, lower case.
std::string LanguageOf(const std::string& locale) {
    std::string code;
    for (const char c : locale) {
        if (c == '_' || c == '-' || c == '.' || c == '@' || c == ':') break;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return code;
}

}  // namespace

std::string MessageLanguage(const char* language, const char* lcAll, const char* lcMessages,
                            const char* lang) {
    const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : lang;
    if (!Set(locale)) return std::string();
    const std::string named = LanguageOf(locale);
    if (named == "c" || named == "posix") return std::string();
    return Set(language) ? LanguageOf(language) : named;
}

std::string UserLanguage() {
#if defined(_WIN32)
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID interfaceLanguage = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(interfaceLanguage, name, LOCALE_NAME_MAX_LENGTH, 0) == 0)
        return std::string();
    std::string narrow;
    for (const wchar_t* c = name; *c != L'\0' && *c < 128; ++c)
        narrow += static_cast<char>(*c);
    return LanguageOf(narrow);
#else
    return MessageLanguage(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                           std::getenv("LC_MESSAGES"), std::getenv("LANG"));
#endif
}

}  // namespace platform
