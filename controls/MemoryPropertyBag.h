#pragma once
// A property bag kept in memory: the layout store of windows whose layout is built in code
// (their pictures come from the resource system) and of tests.

#include <map>
#include <string>

#include "PropertyBag.h"

namespace controls {

class MemoryPropertyBag : public PropertyBag {
  public:
    PictureRef ReadProperty(const std::string& name, const PictureRef& defaultValue) const override;
    void WriteProperty(const std::string& name, const PictureRef& value,
                       const PictureRef& defaultValue) override;

    bool Contains(const std::string& name) const { return values_.count(name) != 0; }
    size_t Size() const { return values_.size(); }

  private:
    std::map<std::string, PictureRef> values_;
};

}  // namespace controls
