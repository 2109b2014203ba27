#pragma once
// The window's artwork, carried in the program's resources as the PNG files of
// assets/pictures, each under its path there ("menuButton/Picture.png"). A picture's drawing
// at twice the resolution ("NAME@2x.png" beside it) is read only when a screen of that
// density first draws it.

#include <string>

#include "platform/Picture.h"
#include "platform/PropertyBag.h"

namespace win32 {

namespace Artwork {

// Whether the resources hold `path`.
bool Has(const std::string& path);
// The picture of `path` ("mainWindow/background.png"), with its drawing at twice the
// resolution attached; null when it is missing or cannot be read.
platform::PicturePtr Load(const std::string& path);
// The picture at twice the resolution itself: null when there is none.
platform::PicturePtr LoadDouble(const std::string& path);
// A picture button's three pictures from `folder`: "Picture", "PictureHover", "PictureDown".
platform::PropertyBag ButtonPictures(const std::string& folder);

}  // namespace Artwork

}  // namespace win32
