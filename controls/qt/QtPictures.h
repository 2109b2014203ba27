#pragma once
// Converts between picture objects and Qt images, and loads a control's persisted pictures
// from a folder (of the resource system or the disk).

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <mutex>

#include "controls/ControlSurface.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"

namespace controls {

// A copy of `image` as a picture: a bitmap picture when the image is opaque, an icon
// picture (which keeps its transparency) when it has an alpha channel. Empty for a null
// image. An image with a whole device pixel ratio above 1 gives a picture of its size in
// pixels whose drawing at that density is the image itself.
platform::PicturePtr PictureFromImage(const QImage& image);
// An image that shares the picture's pixels; valid while the picture lives.
QImage ImageFromPicture(const platform::Picture& picture);
// A copy of a control's surface in device pixels, with its pixel ratio, every pixel opaque. The
// surface leaves the fourth byte of each pixel unused (zero); a window surface with an alpha
// channel, as Wayland's are, would take those zeros for full transparency and show nothing where
// the control drew.
QImage ImageFromSurface(const ControlSurface& surface);
// An image stored unpacked ("NAME.pixels"): its size, pixel format, colours and rows as they
// are in memory, so that reading it takes no decoder. The program's own artwork is kept so
// (converted from its PNG files when the program is built), as the window's first paint
// needs it. In the byte order of the machine that wrote it.
QByteArray UnpackedImage(const QImage& image);
// The image of an unpacked file; null when the file cannot be read or is no such image. A
// file compiled into the program uncompressed is used where it lies, without a copy.
QImage ReadUnpackedImage(const QString& path);
// The image in an unpacked file (".pixels") or in one any Qt image reader understands; null
// when it cannot be read.
QImage ReadImage(const QString& path);

// The picture in an unpacked file or one any Qt image reader understands; empty when it
// cannot be read. A "NAME@2x.png" beside the file is its drawing at twice the resolution.
platform::PicturePtr LoadPicture(const QString& path);

// A layout store holding one picture per PNG or unpacked file in `folder`, named after the
// file ("Picture.png" or "Picture.pixels" becomes the property "Picture"). A
// "Picture@2x.png" beside it is the same drawing at twice the resolution: it is no property
// of its own but the picture's HighDensityDrawing.
platform::PropertyBag LoadPictureFolder(const QString& folder);

// A picture drawn at twice its resolution, for screens with more than one device pixel to a
// pixel, in an image file that is read when the drawing is first asked for.
class DoubleResolutionDrawing {
  public:
    // `size`: twice the picture's; a file of any other size gives no drawing.
    DoubleResolutionDrawing(QString path, QSize size);
    // Null when the file cannot be read or is not of the size.
    QImage Image() const;

  private:
    QString path_;
    QSize size_;
    mutable std::once_flag read_;
    mutable QImage image_;
};

}  // namespace controls
