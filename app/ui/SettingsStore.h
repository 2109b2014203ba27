#pragma once
// The per-user settings store: texts under an application, a section and a key. Kept in
// an INI file where Qt keeps per-user settings ($XDG_CONFIG_HOME/<application>.ini here).

#include <QString>

namespace SettingsStore {

// The stored text, or `defaultValue` when the key is absent.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue);
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

}  // namespace SettingsStore
