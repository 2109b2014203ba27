#include <cstdlib>

#include "platform/UserLanguage.h"

namespace platform {

std::vector<std::string> PreferredLanguages() {
    return PreferredLanguages(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                              std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace platform
