#pragma once
// The per-user settings store of the Windows program: the values of a section under
// HKEY_CURRENT_USER\Software\<application>\<section>, as texts. A value that cannot be written
// is said once on standard error and never stops the program.

#include <string>
#include <vector>

#include "app/core/Calculator.h"

namespace win32 {

namespace SettingsStore {

// The registry key of `application`'s `section`, under HKEY_CURRENT_USER.
std::string KeyName(const std::string& application, const std::string& section);

// The keys asked for that the section holds as texts; an absent one is left out.
core::StoredInputs Read(const std::string& application, const std::string& section,
                        const std::vector<std::string>& keys);
void Save(const std::string& application, const std::string& section,
          const core::StoredInputs& values);

}  // namespace SettingsStore

}  // namespace win32
