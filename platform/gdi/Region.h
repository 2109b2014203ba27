#pragma once
// A region made of rectangles: a set of pixels kept as non-overlapping rectangles.

#include <vector>

#include "platform/gdi/GdiObject.h"

namespace platform::gdi {

class Region final : public GdiObject {
  public:
    Region() : GdiObject(ObjectType::Region) {}

    // The rectangle with its corners put in order; an empty rectangle gives an empty region.
    void SetRect(const RECT& rect);
    // Replaces this region by a minus b (either may be this region itself).
    void SetDifference(const Region& a, const Region& b);

    const std::vector<RECT>& Rects() const { return rects_; }
    // kNullRegion, kSimpleRegion or kComplexRegion.
    int Kind() const;

  private:
    std::vector<RECT> rects_;
};

}  // namespace platform::gdi
