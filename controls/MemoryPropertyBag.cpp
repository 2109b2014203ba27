#include "MemoryPropertyBag.h"

namespace controls {

PictureRef MemoryPropertyBag::ReadProperty(const std::string& name,
                                           const PictureRef& defaultValue) const {
    const auto found = values_.find(name);
    return found == values_.end() ? defaultValue : found->second;
}

void MemoryPropertyBag::WriteProperty(const std::string& name, const PictureRef& value,
                                      const PictureRef& defaultValue) {
    if (value == defaultValue) {
        values_.erase(name);
    } else {
        values_[name] = value;
    }
}

}  // namespace controls
