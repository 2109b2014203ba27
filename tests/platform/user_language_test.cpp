// The message language the command-line programs print their help in, from the variables
// of a desktop session.

#include <gtest/gtest.h>

#include "platform/UserLanguage.h"

namespace {

struct Session {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* expected;
};

TEST(UserLanguage, ComesFromTheSessionsLocaleVariablesInTheirOrder) {
    const Session sessions[] = {
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "de"},
        {nullptr, nullptr, nullptr, "fr_CA@euro", "fr"},
        {nullptr, "es_ES.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8", "es"},  // LC_ALL first
        {nullptr, "", "fr_FR.UTF-8", "en_GB.UTF-8", "fr"},             // then LC_MESSAGES
        {"de:en", nullptr, nullptr, "en_US.UTF-8", "de"},              // LANGUAGE's first
        // The C locale says "no translations", whatever LANGUAGE asks for.
        {"de", nullptr, nullptr, "C.UTF-8", ""},
        {"de", "POSIX", nullptr, "fr_FR.UTF-8", ""},
        {nullptr, nullptr, nullptr, "C", ""},
        {nullptr, nullptr, nullptr, nullptr, ""},
        {nullptr, nullptr, nullptr, "", ""},
    };
    for (const Session& s : sessions) {
        EXPECT_EQ(platform::MessageLanguage(s.language, s.lcAll, s.lcMessages, s.lang), s.expected)
            << "LANGUAGE=" << (s.language ? s.language : "-")
            << " LC_ALL=" << (s.lcAll ? s.lcAll : "-")
            << " LC_MESSAGES=" << (s.lcMessages ? s.lcMessages : "-")
            << " LANG=" << (s.lang ? s.lang : "-");
    }
}

}  // namespace
