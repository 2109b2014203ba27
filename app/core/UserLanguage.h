#pragma once
// The program's own texts in the user's language. The core writes its texts in English and
// marks each with TRANSLATABLE(context, text), which the translation tool (lupdate) collects
// into the same translation files as the windows' texts; a front end hands the core its way
// of looking a text up in them, and the decimal mark of the language shown.

#include <functional>
#include <initializer_list>
#include <string>

// Marks `text` as a text to translate in `context`; the text itself is unchanged.
#define TRANSLATABLE(context, text) text

namespace core {

struct UserLanguage {
    // The translation of `source` in `context`, or `source` itself; none keeps every text
    // in English.
    std::function<std::string(const char* context, const char* source)> translate;
    // The decimal mark of the language the texts are in.
    std::string decimalMark = ".";

    std::string Text(const char* context, const char* source) const;
    // A number written with "." as its decimal mark, with this language's mark.
    std::string Decimals(const std::string& number) const;
};

// `text` with "%1", "%2", ... replaced by the arguments in order.
std::string WithArguments(const std::string& text, std::initializer_list<std::string> arguments);

}  // namespace core
