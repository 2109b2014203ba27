#pragma once
// A solid brush: one colour to fill with.

#include "platform/gdi/GdiObject.h"

namespace platform::gdi {

class Brush final : public GdiObject {
  public:
    explicit Brush(COLORREF color) : GdiObject(ObjectType::Brush), color_(color & 0xFFFFFF) {}
    COLORREF Color() const { return color_; }

  private:
    COLORREF color_;
};

}  // namespace platform::gdi
