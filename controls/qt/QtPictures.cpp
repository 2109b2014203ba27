#include "QtPictures.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace controls {

PictureRef PictureFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> pixels(static_cast<size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * argb.width(), argb.constScanLine(y),
                    static_cast<size_t>(argb.width()) * sizeof(uint32_t));
    }
    return std::make_shared<const Picture>(argb.width(), argb.height(), std::move(pixels));
}

QImage ImageFromPicture(const Picture& picture) {
    if (picture.Width() == 0 || picture.Height() == 0) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels().data()), picture.Width(),
                  picture.Height(), picture.Width() * static_cast<int>(sizeof(uint32_t)),
                  QImage::Format_ARGB32);
}

PictureRef LoadPicture(const QString& path) {
    return PictureFromImage(QImage(path));
}

MemoryPropertyBag LoadPictureFolder(const QString& folder) {
    MemoryPropertyBag bag;
    const QDir directory(folder);
    for (const QFileInfo& file : directory.entryInfoList({"*.png"}, QDir::Files, QDir::Name)) {
        if (PictureRef picture = LoadPicture(file.filePath())) {
            bag.WriteProperty(file.completeBaseName().toStdString(), picture, nullptr);
        }
    }
    return bag;
}

}  // namespace controls
