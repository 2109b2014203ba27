#pragma once
// The common root of every object the graphics layer hands out by handle, so that one
// handle type can be asked for its kind and deleted.

#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

class GdiObject {
  public:
    explicit GdiObject(ObjectType type) : type_(type) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    ObjectType Type() const { return type_; }

  private:
    ObjectType type_;
};

}  // namespace platform::gdi
