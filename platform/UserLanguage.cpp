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

std::string LocalMessage(const MessageText& message, std::initializer_list<std::string> arguments) {
    const std::string language = UserLanguage();
    const std::string text = language == "de"   ? message.de
                             : language == "fr" ? message.fr
                             : language == "es" ? message.es
                                                : message.english;
    const std::vector<std::string> values(arguments);
    std::string result;
    // One pass, so that an argument that holds "%2" stays as it is.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index =
            i + 1 < text.size() && text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9'
                ? static_cast<std::size_t>(text[i + 1] - '1')
                : values.size();
        if (index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace platform
