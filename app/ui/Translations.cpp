#include "app/ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

namespace Translations {
namespace {

// The languages the program carries translations of, as ":/translations/corpometer_<xx>.qm".
bool Translated(QLocale::Language language) {
    return language == QLocale::German || language == QLocale::French ||
           language == QLocale::Spanish;
}

}  // namespace

QString Install() {
    // QLocale() is the system locale, which Qt takes from the environment's variables
    // themselves: the C library's setlocale() would fall back to "C" for a locale that the
    // system has not generated.
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QLocale(), QStringLiteral("corpometer"), QStringLiteral("_"),
                   QStringLiteral(":/translations"))) {
        delete own;
        return QString();
    }
    QCoreApplication::installTranslator(own);
    // Qt's texts (a message box's buttons, a text box's context menu) in the same language,
    // when the system has them (Debian's qt6-translations-l10n). Only beside a translation of
    // ours: an English window stays English throughout.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(QLocale(own->language()).language()), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return own->language().left(2);
}

QString Language() {
    // Each translation gives its own language code for this text.
    return QCoreApplication::translate("Translations", "en",
                                       "The code of this translation's language: de, fr, es");
}

QLocale NumberLocale() {
    const QLocale system = QLocale::system();
    return Translated(system.language()) ? system : QLocale::c();
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
