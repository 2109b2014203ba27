#pragma once
// What a load of the animated banner may take, for every reader of a banner GIF (the window's
// viewer, and corpometer-brand when it checks one): the limits of Branding.h.

#include "app/core/Branding.h"
#include "gif/GifReader.h"

namespace core {

inline gif::GifLoadLimits BannerLoadLimits() {
    gif::GifLoadLimits limits;
    limits.inputBytes = kMaxBannerFileBytes;
    limits.frameBitmapBytes = kMaxBannerPixelBytes;
    limits.frames = kMaxBannerFrames;
    return limits;
}

}  // namespace core
