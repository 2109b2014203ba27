#include "app/ui/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace ui {

namespace SettingsStore {
namespace {

// Once per run and kind: a store that fails keeps failing, and one line says it all.
void SayOnce(bool& said, const QString& line) {
    if (said) return;
    said = true;
    std::fprintf(stderr, "corpometer: %s\n", qPrintable(line));
}

// The settings are a few short lines; a larger file is not this program's settings, and is
// not read whole only to be passed over.
constexpr qint64 kMaxSettingsFileBytes = 64 * 1024;

// Whether the file may be opened at all: absent, or a regular file after following links, of
// at most kMaxSettingsFileBytes. Opening a FIFO would wait for a writer for ever, and writing
// over a device or through a link to one would put a plain file in its place.
bool UsableOrAbsent(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink()) return true;
    static bool said = false;
    if (info.isFile() && info.size() <= kMaxSettingsFileBytes) return true;
    const QString why =
        info.isFile()
            ? QString("is larger than %1 bytes, more than settings take").arg(kMaxSettingsFileBytes)
            : QString("is not a regular file");
    SayOnce(said,
            QString("the settings file %1 %2; it is not read and not written").arg(file, why));
    return false;
}

// Why the settings file cannot be written, as the system puts it.
QString WriteFailure(const QString& file) {
    std::error_code error;
    std::filesystem::create_directories(QFileInfo(file).path().toStdString(), error);
    if (error) return QString("its folder cannot be made: ") + error.message().c_str();
    const bool existed = QFileInfo::exists(file);
    QFile probe(file);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) return probe.errorString();
    probe.close();
    if (!existed) probe.remove();
    return "the file cannot be replaced";
}

}  // namespace

QString SettingsFile(const QString& application) {
    // Where Qt keeps per-user INI settings ($XDG_CONFIG_HOME, else ~/.config). Named outright,
    // so that Qt reads no machine-wide file beside it that nobody checks.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .absoluteFilePath(application + ".ini");
}

QHash<QString, QString> GetSettings(const QString& application, const QString& section) {
    QHash<QString, QString> values;
    const QString file = SettingsFile(application);
    if (!UsableOrAbsent(file)) return values;
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(section);
    for (const QString& key : settings.childKeys())
        values.insert(key, settings.value(key).toString());
    return values;
}

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    return GetSettings(application, section).value(key, defaultValue);
}

void SaveSettings(const QString& application, const QString& section,
                  const QList<QPair<QString, QString>>& values) {
    const QString file = SettingsFile(application);
    if (!UsableOrAbsent(file)) return;
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(section);
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
    settings.endGroup();
    settings.sync();  // written now: the program may be ended at any moment
    if (settings.status() == QSettings::NoError) return;
    // The program goes on without its settings saved, as it would with no store at all.
    static bool said = false;
    SayOnce(said, QString("cannot save the settings to %1: %2").arg(file, WriteFailure(file)));
}

}  // namespace SettingsStore

}  // namespace ui
