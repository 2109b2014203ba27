#pragma once
// The windows' language. The program's texts are written in English; a translation into the
// user's language replaces them when there is one (German, French and Spanish are carried in
// the program's resources), and every other language keeps the English texts. The language is
// the one platform::UserLanguage() chooses, as for the command-line help and messages; numbers
// shown take the format of that language.

#include <QLocale>
#include <QString>

#include "app/core/UserLanguage.h"

namespace ui {

namespace Translations {

// Installs the translation for the user's language (platform::UserLanguage()) into the
// application, and Qt's own for its standard dialogs and menus where the system has them.
// Returns the language installed ("de", "fr", "es"), or an empty text for English. Call once,
// after the application object is made.
QString Install();

// The language the windows' texts are in now: "en", or the translation's ("de", "fr", "es").
// Pictures that carry text (the Calculate button's) are drawn once per language.
QString Language();

// The locale whose decimal mark the windows show numbers with: the user's numeric locale
// (LC_ALL, LC_NUMERIC, LANG) when it is of the language the texts are in, else that language's
// own (English: "."), so that a line never mixes two formats.
QLocale NumberLocale();

// A number formatted with "." as its decimal mark, shown with NumberLocale()'s mark.
QString LocalDecimals(const QString& number);

// The installed translations and NumberLocale()'s decimal mark, for the texts the core gives.
core::UserLanguage CoreLanguage();

}  // namespace Translations

}  // namespace ui
