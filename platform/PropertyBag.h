#pragma once
// The store in which a control keeps its design-time properties between sessions: a name
// -> value map. Writing a value equal to its default removes the entry, so only values
// that differ from the defaults are kept; reading a missing name, or a name stored with a
// value of another type, gives the default.

#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "platform/Picture.h"

namespace platform {

class PropertyBag {
  public:
    // Booleans, 32-bit signed numbers, 32-bit unsigned numbers (OLE colours), texts and
    // pictures; the empty alternative is "no value".
    using Value =
        std::variant<std::monostate, bool, std::int32_t, std::uint32_t, std::string, PicturePtr>;

    Value ReadProperty(const std::string& name, const Value& defaultValue = {}) const;
    void WriteProperty(const std::string& name, const Value& value, const Value& defaultValue = {});

    // Typed reading: the stored value when it has type T, else the default.
    template <class T>
    T Read(const std::string& name, const T& defaultValue) const {
        const auto it = values_.find(name);
        if (it == values_.end()) return defaultValue;
        if (const T* stored = std::get_if<T>(&it->second)) return *stored;
        return defaultValue;
    }

    bool Contains(const std::string& name) const { return values_.count(name) != 0; }
    std::size_t Count() const { return values_.size(); }
    void Clear() { values_.clear(); }

  private:
    std::map<std::string, Value> values_;
};

}  // namespace platform
