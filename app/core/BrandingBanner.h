#pragma once
// What a load of the animated banner may take, for every reader of a banner GIF (the window's
// viewer, and corpometer-brand when it checks one): the limits of Branding.h.

#include "app/core/Branding.h"
#include "gif/GifReader.h"

#include <string>

namespace core {

inline gif::GifLoadLimits BannerLoadLimits() {
    gif::GifLoadLimits limits;
    limits.inputBytes = kMaxBannerFileBytes;
    limits.frameBitmapBytes = kMaxBannerPixelBytes;
    limits.frames = kMaxBannerFrames;
    return limits;
}

// One line on standard error when the animated banner at `path` is not shown (`shown` false),
// or is shown with less than its file claims (`damage`, the load's first fault: frames cut
// short or dropped by the limits above). Nothing when it loaded whole.
void ReportAnimatedBannerLoad(const std::string& path, bool shown, const std::string& damage);

}  // namespace core
