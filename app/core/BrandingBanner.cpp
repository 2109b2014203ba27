#include "app/core/BrandingBanner.h"

#include <cstdio>

namespace core {

void ReportAnimatedBannerLoad(const std::string& path, bool shown, const std::string& damage) {
    if (!shown) {
        std::fprintf(stderr,
                     "corpometer: not using \"%s\" as the animated banner: it does not load as a "
                     "GIF within what a banner may take\n",
                     path.c_str());
    } else if (!damage.empty()) {
        std::fprintf(stderr,
                     "corpometer: the animated banner \"%s\" shows only what could be read: %s\n",
                     path.c_str(), damage.c_str());
    }
}

}  // namespace core
