#pragma once
// The windows' texts in the user's language. The program writes its texts in English; a
// translation from the table made of the Qt windows' translation files replaces each one in
// German, French and Spanish, chosen from the Windows user interface language.

#include <initializer_list>
#include <string>

namespace win32 {

namespace Texts {

// Chooses the language by its two-letter code; one without a translation (or "") keeps English.
void SetLanguage(const std::string& code);
// The language the texts are in now: "en", "de", "fr" or "es".
const std::string& Language();

// `english` in the chosen language (itself when there is no translation), as UTF-16.
std::wstring Text(const char* english);
// `pattern` with "%1", "%2"... replaced by the arguments in one pass, so that a "%1" inside
// an argument (a branding text) stays as it is.
std::wstring Arg(const std::wstring& pattern, std::initializer_list<std::wstring> arguments);

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

}  // namespace Texts

}  // namespace win32
