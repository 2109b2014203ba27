#include "app/ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/UserLanguage.h"

namespace ui {

namespace Translations {

QString Install() {
    // The one choice of language that the command-line help and messages make too.
    const QString language = QString::fromStdString(platform::UserLanguage());
    if (language.isEmpty()) return QString();
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/translations/corpometer_") + language)) {
        delete own;
        return QString();
    }
    QCoreApplication::installTranslator(own);
    // Qt's texts (a message box's buttons, a text box's context menu) in the same language,
    // when the system has them (Debian's qt6-translations-l10n).
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return language;
}

QString Language() {
    // Each translation gives its own language code for this text.
    return QCoreApplication::translate("Translations", "en",
                                       "The code of this translation's language: de, fr, es");
}

QLocale NumberLocale() {
    // Numbers in the format of the language the texts are in: the user's own numeric locale
    // when it is of that language (es_MX writes 21.33, es_ES 21,33), else the language's own.
    const QString language = Language();
    if (language == QLatin1String("en")) return QLocale::c();
    // The numeric locale as the C library names it; QLocale::system() would take LANGUAGE's
    // language in a C locale, with C's numbers.
    QString numeric;
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        numeric = qEnvironmentVariable(variable);
        if (!numeric.isEmpty()) break;
    }
    const QLocale user(numeric.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0));
    const QLocale shown(language);
    return user.language() == shown.language() ? user : shown;
}

QString LocalDecimals(const QString& number) {
    QString shown = number;
    return shown.replace(QLatin1Char('.'), NumberLocale().decimalPoint());
}

core::UserLanguage CoreLanguage() {
    core::UserLanguage language;
    language.translate = [](const char* context, const char* source) {
        return QCoreApplication::translate(context, source).toStdString();
    };
    language.decimalMark = QString(NumberLocale().decimalPoint()).toStdString();
    return language;
}

}  // namespace Translations

}  // namespace ui
