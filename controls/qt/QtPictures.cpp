#include "controls/qt/QtPictures.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace controls {

namespace {

// The double-resolution drawings of the pictures loaded from folders, by picture. An entry
// counts only while its picture lives (a new picture may reuse a freed address).
struct DoubleResolution {
    std::weak_ptr<const platform::Picture> picture;
    QImage image;
};
std::mutex doubleResolutionLock;
std::map<const platform::Picture*, DoubleResolution> doubleResolutions;

void SetDoubleResolutionImage(const platform::PicturePtr& picture, const QImage& image) {
    const std::lock_guard<std::mutex> hold(doubleResolutionLock);
    for (auto entry = doubleResolutions.begin(); entry != doubleResolutions.end();) {
        entry = entry->second.picture.expired() ? doubleResolutions.erase(entry) : ++entry;
    }
    doubleResolutions[picture.get()] = {picture, image};
}

}  // namespace

platform::PicturePtr PictureFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> pixels(static_cast<size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * argb.width(), argb.constScanLine(y),
                    static_cast<size_t>(argb.width()) * sizeof(uint32_t));
    }
    const auto kind =
        image.hasAlphaChannel() ? platform::Picture::Kind::Icon : platform::Picture::Kind::Bitmap;
    return platform::Picture::FromPixels(kind, argb.width(), argb.height(), std::move(pixels));
}

QImage ImageFromPicture(const platform::Picture& picture) {
    if (picture.Width() == 0 || picture.Height() == 0) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels().data()), picture.Width(),
                  picture.Height(), picture.Width() * static_cast<int>(sizeof(uint32_t)),
                  QImage::Format_ARGB32);
}

QImage ImageFromSurface(const ControlSurface& surface) {
    if (!surface.Bits()) return {};
    QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.Height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(
            surface.Bits() + static_cast<size_t>(y) * surface.Stride());
        auto* to = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < surface.Width(); ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    return image;
}

platform::PicturePtr LoadPicture(const QString& path) {
    return PictureFromImage(QImage(path));
}

platform::PropertyBag LoadPictureFolder(const QString& folder) {
    platform::PropertyBag bag;
    const QDir directory(folder);
    for (const QFileInfo& file : directory.entryInfoList({"*.png"}, QDir::Files, QDir::Name)) {
        const QString name = file.completeBaseName();
        if (name.endsWith("@2x")) continue;
        if (platform::PicturePtr picture = LoadPicture(file.filePath())) {
            const QImage twice(directory.filePath(name + "@2x.png"));
            if (twice.width() == 2 * picture->Width() && twice.height() == 2 * picture->Height()) {
                SetDoubleResolutionImage(picture, twice);
            }
            bag.WriteProperty(name.toStdString(), picture);
        }
    }
    return bag;
}

QImage DoubleResolutionImage(const platform::Picture& picture) {
    const std::lock_guard<std::mutex> hold(doubleResolutionLock);
    const auto entry = doubleResolutions.find(&picture);
    if (entry == doubleResolutions.end() || entry->second.picture.lock().get() != &picture)
        return {};
    return entry->second.image;
}

}  // namespace controls
