// Converts a picture file to the unpacked form the program keeps its artwork in, so that the
// window's first paint needs no image decoder (controls::UnpackedImage). Run by the build:
//     corpometer-unpack-picture PICTURE.png PICTURE.pixels
// The image is kept exactly as Qt's reader gives it; a picture with a colour space of its
// own is refused, as the unpacked form does not keep one.

#include <QColorSpace>
#include <QImageReader>
#include <QSaveFile>
#include <cstdio>

#include "controls/qt/QtPictures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: corpometer-unpack-picture PICTURE UNPACKED\n");
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "corpometer-unpack-picture: cannot read %s: %s\n", argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    if (image.colorSpace().isValid()) {
        std::fprintf(stderr, "corpometer-unpack-picture: %s has a colour space of its own\n",
                     argv[1]);
        return 1;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(controls::UnpackedImage(image)) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "corpometer-unpack-picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
