#pragma once
// The per-user settings store: texts under an application, a section and a key. Kept in an
// INI file where Qt keeps per-user settings ($XDG_CONFIG_HOME/<application>.ini here).
//
// The file is the user's own and may be anything: only a regular file (or a link to one) is
// read or written. Anything else (a FIFO, a device, a folder) is treated as absent and left as
// it is; a store that cannot be read or written never stops the program. Each kind of trouble
// is said once on standard error, naming the file.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace ui {

namespace SettingsStore {

// The file that holds `application`'s settings.
QString SettingsFile(const QString& application);

// Every key of `section` with its stored text, from one reading of the file; empty when the
// file is absent or cannot be read.
QHash<QString, QString> GetSettings(const QString& application, const QString& section);
// The stored text, or `defaultValue` when the key is absent or the file cannot be read.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue);
// Writes the keys given, all at once.
void SaveSettings(const QString& application, const QString& section,
                  const QList<QPair<QString, QString>>& values);

}  // namespace SettingsStore

}  // namespace ui
