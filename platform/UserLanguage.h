#pragma once
// The language the user reads messages in: the command-line programs print their help in it.

#include <cstddef>
#include <string>

namespace platform {

// The user's message language as a lower-case two-letter code ("de", "fr"), or "" for the
// C and POSIX locales. On Windows it is the user's interface language; elsewhere it is read
// from the environment as Qt reads it: the first of LC_ALL, LC_MESSAGES and LANG that is set
// names the locale, and when that is not C or POSIX the first entry of LANGUAGE, if any, says
// the language instead.
std::string UserLanguage();

// The same from the values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null when unset).
std::string MessageLanguage(const char* language, const char* lcAll, const char* lcMessages,
                            const char* lang);

// The language part of a locale's name, lower case: "de" for "de_DE.UTF-8" or "de-DE",
// "fr" for "fr_FR@euro".
std::string LanguageOfLocale(const std::string& locale);

// A command-line program's usage and help, in the language with the code `language`.
struct HelpText {
    const char* language;
    const char* usage;
    const char* help;
};

// A program's usage and help in the user's language: its translation for that language, or
// the English `usage` and `help` for any other.
template <std::size_t N>
HelpText LocalHelp(const char* usage, const char* help, const HelpText (&translations)[N]) {
    const std::string language = UserLanguage();
    for (const HelpText& text : translations)
        if (language == text.language) return text;
    return HelpText{"", usage, help};
}

}  // namespace platform
