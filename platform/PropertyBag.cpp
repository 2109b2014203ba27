#include "platform/PropertyBag.h"

namespace platform {

PropertyBag::Value PropertyBag::ReadProperty(const std::string& name,
                                             const Value& defaultValue) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return defaultValue;
    // A value of another type than the default's (a layout written by an older version,
    // say) is not trusted.
    if (defaultValue.index() != 0 && it->second.index() != defaultValue.index())
        return defaultValue;
    return it->second;
}

void PropertyBag::WriteProperty(const std::string& name, const Value& value,
                                const Value& defaultValue) {
    // Pictures compare by identity: the same shared picture is the same value. A null
    // picture is no value at all.
    const PicturePtr* picture = std::get_if<PicturePtr>(&value);
    const bool empty = value.index() == 0 || (picture != nullptr && *picture == nullptr);
    if (empty || value == defaultValue) {
        values_.erase(name);
        return;
    }
    values_[name] = value;
}

}  // namespace platform
