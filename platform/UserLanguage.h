#pragma once
// The language the user reads messages in: the command-line programs print their help in it.

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

}  // namespace platform
