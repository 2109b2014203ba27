#pragma once
// The language the user reads: the windows, the numbers they show and the command-line
// programs' help and messages all speak the one chosen here.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace platform {

// The languages every program of the project has its texts translated into, besides English.
inline const std::vector<std::string> kTranslatedLanguages = {"de", "fr", "es"};

// The languages the user asks for, most wanted first, as lower-case two-letter codes ("de").
// On Windows it is the user's interface language; elsewhere each entry of LANGUAGE in its
// order, then the language of the first of LC_ALL, LC_MESSAGES and LANG that is set (none for
// the C and POSIX locales).
std::vector<std::string> PreferredLanguages();
// The same from the values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null when unset).
std::vector<std::string> PreferredLanguages(const char* language, const char* lcAll,
                                            const char* lcMessages, const char* lang);

// The first of the `preferred` languages that is English or one of `translated`: its code, or
// "" for English (also when none of them is).
std::string ChosenLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string>& translated = kTranslatedLanguages);

// The language the programs speak to this user: "de", "fr", "es" or "" for English.
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

// A message of a command-line program in English and in each translated language; "%1", "%2",
// ... stand where its arguments go.
struct MessageText {
    const char* english;
    const char* de;
    const char* fr;
    const char* es;
};

// `message` in the user's language, with the arguments in place of "%1", "%2", ...
std::string LocalMessage(const MessageText& message,
                         std::initializer_list<std::string> arguments = {});

}  // namespace platform
