#include "platform/gdi/Region.h"

#include <algorithm>
#include <utility>

namespace platform::gdi {

namespace {

bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// Appends the parts of `r` that lie outside `cut`: at most four bands (above, below,
// left, right), which never overlap each other.
void AppendOutside(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
    const bool overlaps =
        r.left < cut.right && cut.left < r.right && r.top < cut.bottom && cut.top < r.bottom;
    if (!overlaps) {
        out.push_back(r);
        return;
    }
    const std::int32_t midTop = std::max(r.top, cut.top);
    const std::int32_t midBottom = std::min(r.bottom, cut.bottom);
    if (r.top < cut.top) out.push_back({r.left, r.top, r.right, cut.top});
    if (cut.bottom < r.bottom) out.push_back({r.left, cut.bottom, r.right, r.bottom});
    if (r.left < cut.left) out.push_back({r.left, midTop, cut.left, midBottom});
    if (cut.right < r.right) out.push_back({cut.right, midTop, r.right, midBottom});
}

}  // namespace

void Region::SetRect(const RECT& rect) {
    RECT r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
           std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    rects_.clear();
    if (!IsEmpty(r)) rects_.push_back(r);
}

void Region::SetDifference(const Region& a, const Region& b) {
    std::vector<RECT> remaining = a.rects_;
    for (const RECT& cut : b.rects_) {
        std::vector<RECT> next;
        next.reserve(remaining.size() + 3);
        for (const RECT& r : remaining)
            AppendOutside(r, cut, next);
        remaining = std::move(next);
    }
    rects_ = std::move(remaining);
}

int Region::Kind() const {
    if (rects_.empty()) return kNullRegion;
    return rects_.size() == 1 ? kSimpleRegion : kComplexRegion;
}

}  // namespace platform::gdi
