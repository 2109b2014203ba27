#pragma once
// The windows' texts in the languages other than English, made at build time from the same
// translation files as the Qt windows' (cmake/TranslationTable.cmake).

#include <cstddef>

namespace win32 {

struct TranslatedText {
    const char* language;     // "de", "fr", "es"
    const char* source;       // the English text, as the program writes it (UTF-8)
    const char* translation;  // UTF-8
};

extern const TranslatedText kTranslatedTexts[];
extern const std::size_t kTranslatedTextCount;

}  // namespace win32
