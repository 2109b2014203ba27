#include <windows.h>

#include "platform/UserLanguage.h"

namespace platform {

// The language the user reads Windows in, not the locale's formats.
std::vector<std::string> PreferredLanguages() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID interfaceLanguage = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(interfaceLanguage, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {};
    std::string narrow;
    for (const wchar_t* c = name; *c != L'\0' && *c < 128; ++c)
        narrow += static_cast<char>(*c);
    return {LanguageOfLocale(narrow)};
}

}  // namespace platform
