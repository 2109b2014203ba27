#pragma once
// The host's layout store, through which a control persists its design-time properties.

#include <string>

#include "Picture.h"

namespace controls {

class PropertyBag {
  public:
    virtual ~PropertyBag() = default;
    // The stored picture of `name`, or `defaultValue` when the key is missing.
    virtual PictureRef ReadProperty(const std::string& name,
                                    const PictureRef& defaultValue) const = 0;
    // Stores `value` under `name`; a value equal to its default is not stored, so that a
    // later read gives the default back.
    virtual void WriteProperty(const std::string& name, const PictureRef& value,
                               const PictureRef& defaultValue) = 0;
};

}  // namespace controls
