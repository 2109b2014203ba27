#include "app/win32/SettingsStore.h"

#include <cstdio>

#include "platform/Registry.h"

namespace win32 {

namespace SettingsStore {

std::string KeyName(const std::string& application, const std::string& section) {
    return "Software\\" + application + "\\" + section;
}

core::StoredInputs Read(const std::string& application, const std::string& section,
                        const std::vector<std::string>& keys) {
    core::StoredInputs stored;
    const std::string key = KeyName(application, section);
    for (const std::string& name : keys) {
        std::string text;
        if (platform::ReadRegistryText(platform::kHKeyCurrentUser, key, name, text))
            stored[name] = text;
    }
    return stored;
}

void Save(const std::string& application, const std::string& section,
          const core::StoredInputs& values) {
    static bool told = false;
    const std::string key = KeyName(application, section);
    for (const auto& [name, text] : values) {
        if (platform::WriteRegistryText(platform::kHKeyCurrentUser, key, name, text) || told)
            continue;
        told = true;
        std::fprintf(stderr,
                     "corpometer: cannot save the inputs in HKEY_CURRENT_USER\\%s; going on "
                     "without them\n",
                     key.c_str());
    }
}

}  // namespace SettingsStore

}  // namespace win32
