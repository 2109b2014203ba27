#pragma once
// Whether the session names a display that windows can open on.

#include <cstdlib>

namespace platform {

// Windows always has its desktop; elsewhere a desktop session names its X11 display in DISPLAY
// or its Wayland display in WAYLAND_DISPLAY.
inline bool DisplayNamed() {
#ifdef _WIN32
    return true;
#else
    const auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value != nullptr && *value != '\0';
    };
    return named("DISPLAY") || named("WAYLAND_DISPLAY");
#endif
}

}  // namespace platform
