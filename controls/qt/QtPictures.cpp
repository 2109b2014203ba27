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
    DoubleResolutionPtr drawing;
};
std::mutex doubleResolutionLock;
std::map<const platform::Picture*, DoubleResolution> doubleResolutions;

void SetDoubleResolution(const platform::PicturePtr& picture, DoubleResolutionPtr drawing) {
    const std::lock_guard<std::mutex> hold(doubleResolutionLock);
    for (auto entry = doubleResolutions.begin(); entry != doubleResolutions.end();) {
        entry = entry->second.picture.expired() ? doubleResolutions.erase(entry) : ++entry;
    }
    doubleResolutions[picture.get()] = {picture, std::move(drawing)};
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

DoubleResolutionDrawing::DoubleResolutionDrawing(QString path, QSize size)
    : path_(std::move(path)), size_(size) {}

QImage DoubleResolutionDrawing::Image() const {
    std::call_once(read_, [this] {
        QImage image(path_);
        if (image.size() == size_) image_ = std::move(image);
    });
    return image_;
}

platform::PropertyBag LoadPictureFolder(const QString& folder) {
    platform::PropertyBag bag;
    const QDir directory(folder);
    const QStringList files = directory.entryList({"*.png"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString name = file.chopped(4);
        if (name.endsWith("@2x")) continue;
        if (platform::PicturePtr picture = LoadPicture(directory.filePath(file))) {
            // Only a screen with more device pixels than pixels shows it: read when first shown.
            if (const QString twice = name + "@2x.png"; files.contains(twice)) {
                SetDoubleResolution(picture,
                                    std::make_shared<const DoubleResolutionDrawing>(
                                        directory.filePath(twice),
                                        QSize(2 * picture->Width(), 2 * picture->Height())));
            }
            bag.WriteProperty(name.toStdString(), picture);
        }
    }
    return bag;
}

DoubleResolutionPtr DoubleResolutionOf(const platform::Picture& picture) {
    const std::lock_guard<std::mutex> hold(doubleResolutionLock);
    const auto entry = doubleResolutions.find(&picture);
    if (entry == doubleResolutions.end() || entry->second.picture.lock().get() != &picture)
        return nullptr;
    return entry->second.drawing;
}

}  // namespace controls
