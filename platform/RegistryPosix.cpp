#include "platform/Registry.h"

namespace platform {

bool ReadRegistryValue(std::uint32_t, const std::string&, const std::string&, std::uint32_t&,
                       std::string&) {
    return false;  // no registry on this system
}

bool ReadRegistryText(std::uint32_t, const std::string&, const std::string&, std::string&) {
    return false;
}

bool WriteRegistryText(std::uint32_t, const std::string&, const std::string&,
                       const std::string&) {
    return false;
}

}  // namespace platform
