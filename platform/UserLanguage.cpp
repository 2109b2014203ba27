#include "platform/UserLanguage.h"

#include <algorithm>
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

std::vector<std::string> PreferredLanguages(const char* language, const char* lcAll,
                                            const char* lcMessages, const char* lang) {
    std::vector<std::string> preferred;
    if (Set(language)) {
        const std::string list = language;
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(':', start), list.size());
            const std::string code = LanguageOfLocale(list.substr(start, end - start));
            if (!code.empty()) preferred.push_back(code);
            start = end + 1;
        }
    }
    const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : lang;
    if (Set(locale)) {
        const std::string named = LanguageOfLocale(locale);
        if (named != "c" && named != "posix") preferred.push_back(named);
    }
    return preferred;
}

std::string ChosenLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& translated) {
    for (const std::string& code : preferred) {
        if (code == "en") return std::string();
        if (std::find(translated.begin(), translated.end(), code) != translated.end()) return code;
    }
    return std::string();
}

std::string UserLanguage() {
    return ChosenLanguage(PreferredLanguages());
}

std::string MessageLanguage(const char* language, const char* lcAll, const char* lcMessages,
                            const char* lang) {
    return ChosenLanguage(PreferredLanguages(language, lcAll, lcMessages, lang));
}

std::string LocalMessage(const MessageText& message, const std::string& argument) {
    const std::string language = UserLanguage();
    std::string text = language == "de"   ? message.de
                       : language == "fr" ? message.fr
                       : language == "es" ? message.es
                                          : message.english;
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

}  // namespace platform
