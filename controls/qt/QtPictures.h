#pragma once
// Converts between the controls' pictures and Qt images, and loads a control's persisted
// pictures from a folder (of the resource system or the disk).

#include <QImage>
#include <QString>

#include "MemoryPropertyBag.h"
#include "Picture.h"

namespace controls {

// A copy of `image` as a picture; empty for a null image.
PictureRef PictureFromImage(const QImage& image);
// An image that shares the picture's pixels; valid while the picture lives.
QImage ImageFromPicture(const Picture& picture);
// The picture in a file any Qt image reader understands; empty when it cannot be read.
PictureRef LoadPicture(const QString& path);

// A layout store holding one picture per PNG file in `folder`, named after the file
// ("Picture.png" becomes the property "Picture").
MemoryPropertyBag LoadPictureFolder(const QString& folder);

}  // namespace controls
