// The language the windows and the command-line programs speak, from the variables of a
// desktop session.

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
        // LANGUAGE is asked first even in the C locale, as the windows ask it.
        {"de", nullptr, nullptr, "C.UTF-8", "de"},
        {"de", "POSIX", nullptr, "fr_FR.UTF-8", "de"},
        // The first language asked for that the programs speak; English is always spoken.
        {"it:fr", nullptr, nullptr, "de_DE.UTF-8", "fr"},
        {"it", nullptr, nullptr, "es_MX.UTF-8", "es"},
        {"en_GB:de", nullptr, nullptr, "de_DE.UTF-8", ""},
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
