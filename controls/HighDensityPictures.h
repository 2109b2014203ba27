#pragma once
// Drawings of pictures for screens with several device pixels to a pixel: the same picture
// drawn at twice (or more) its resolution, kept beside the picture object. A control surface
// of that density draws a picture from its drawing instead of enlarging the picture's own
// pixels, so that edges and text stay sharp.

#include <functional>

#include "platform/Picture.h"

namespace controls {

// Makes the drawing on demand: only a surface of that density asks for it, so a program on
// an ordinary screen never reads it. Null when it cannot be made.
using HighDensityLoader = std::function<platform::PicturePtr()>;

// Gives `picture` a drawing at `ratio` device pixels to a pixel (2 or more), made by `load`
// when first asked for. The entry lasts while the picture lives.
void SetHighDensityDrawing(const platform::PicturePtr& picture, int ratio, HighDensityLoader load);

// The drawing of `picture` at `ratio`; null when it has none, or when the drawing made is not
// exactly `ratio` times the picture's size.
platform::PicturePtr HighDensityDrawing(const platform::Picture& picture, int ratio);

}  // namespace controls
