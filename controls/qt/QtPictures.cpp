#include "controls/qt/QtPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSize>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>

#include "controls/HighDensityPictures.h"

namespace controls {

namespace {

// An unpacked image: this header, the colour table (colourCount entries of 4 bytes), then
// `height` rows of `bytesPerLine` bytes each.
struct UnpackedHeader {
    std::uint32_t magic;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;  // a QImage::Format
    std::uint32_t bytesPerLine;
    std::uint32_t colourCount;
};
const QString kPngSuffix = ".png";
const QString kUnpackedSuffix = ".pixels";
constexpr std::uint32_t kUnpackedMagic = 0x58495043;  // "CPIX" in this machine's byte order
// As large a side as any picture of the program needs, and far below what overflows.
constexpr std::uint32_t kUnpackedMaxSide = 16384;

// The image in `size` bytes at `bytes`; it shares them when `lasting` (they live as long as
// the program) and the rows are 4-byte aligned, as an image's must be; else it is a copy.
QImage UnpackedImageAt(const uchar* bytes, qint64 size, bool lasting) {
    UnpackedHeader header{};
    if (size < qint64(sizeof header)) return {};
    std::memcpy(&header, bytes, sizeof header);
    if (header.magic != kUnpackedMagic || header.width == 0 || header.height == 0 ||
        header.width > kUnpackedMaxSide || header.height > kUnpackedMaxSide ||
        header.format <= QImage::Format_Invalid || header.format >= QImage::NImageFormats ||
        header.colourCount > 256 || header.bytesPerLine % 4 != 0) {
        return {};
    }
    const auto format = static_cast<QImage::Format>(header.format);
    const qint64 rowBytes =
        (qint64(header.width) * QImage::toPixelFormat(format).bitsPerPixel() + 7) / 8;
    const qint64 tableBytes = qint64(header.colourCount) * 4;
    if (rowBytes == 0 || header.bytesPerLine < rowBytes ||
        size != qint64(sizeof header) + tableBytes + qint64(header.height) * header.bytesPerLine) {
        return {};
    }
    const uchar* rows = bytes + sizeof header + tableBytes;
    QImage image(rows, int(header.width), int(header.height), qsizetype(header.bytesPerLine),
                 format);
    if (!lasting || header.colourCount > 0 || reinterpret_cast<uintptr_t>(rows) % 4 != 0)
        image = image.copy();
    if (header.colourCount > 0) {
        QList<QRgb> table(header.colourCount);
        std::memcpy(table.data(), bytes + sizeof header, size_t(tableBytes));
        image.setColorTable(table);
    }
    return image;
}

// Gives `picture` the drawing at twice its resolution in the image file `path`, read when a
// surface of that density first draws the picture.
void AttachDoubleResolution(const platform::PicturePtr& picture, const QString& path) {
    const auto drawing = std::make_shared<const DoubleResolutionDrawing>(
        path, QSize(2 * picture->Width(), 2 * picture->Height()));
    SetHighDensityDrawing(picture, 2, [drawing] {
        QImage image = drawing->Image();
        image.setDevicePixelRatio(1);  // Qt reads a ratio of 2 from the name: these are its pixels
        return PictureFromImage(image);
    });
}

}  // namespace

platform::PicturePtr PictureFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    const int ratio = static_cast<int>(image.devicePixelRatio());
    if (ratio > 1 && ratio == image.devicePixelRatio() && image.width() % ratio == 0 &&
        image.height() % ratio == 0) {
        // Drawn for a dense screen: the picture has the image's size in pixels, and the image
        // itself is its drawing at that density.
        QImage dense = image;
        dense.setDevicePixelRatio(1);
        const platform::PicturePtr picture = PictureFromImage(
            dense.scaled(dense.size() / ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        if (picture) {
            SetHighDensityDrawing(picture, ratio, [dense] { return PictureFromImage(dense); });
        }
        return picture;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * argb.width(), argb.constScanLine(y),
                    static_cast<size_t>(argb.width()) * sizeof(std::uint32_t));
    }
    const auto kind =
        image.hasAlphaChannel() ? platform::Picture::Kind::Icon : platform::Picture::Kind::Bitmap;
    return platform::Picture::FromPixels(kind, argb.width(), argb.height(), std::move(pixels));
}

QImage ImageFromPicture(const platform::Picture& picture) {
    if (picture.Width() == 0 || picture.Height() == 0) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels().data()), picture.Width(),
                  picture.Height(), picture.Width() * static_cast<int>(sizeof(std::uint32_t)),
                  QImage::Format_ARGB32);
}

QImage ImageFromSurface(const ControlSurface& surface) {
    if (!surface.Bits()) return {};
    QImage image(surface.DeviceWidth(), surface.DeviceHeight(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(
            surface.Bits() + static_cast<size_t>(y) * surface.Stride());
        auto* to = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    image.setDevicePixelRatio(surface.PixelRatio());
    return image;
}

QByteArray UnpackedImage(const QImage& image) {
    if (image.isNull()) return {};
    const QList<QRgb> table = image.colorTable();
    const UnpackedHeader header{kUnpackedMagic,
                                std::uint32_t(image.width()),
                                std::uint32_t(image.height()),
                                std::uint32_t(image.format()),
                                std::uint32_t(image.bytesPerLine()),
                                std::uint32_t(table.size())};
    QByteArray bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(table.constData()), table.size() * 4);
    bytes.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return bytes;
}

QImage ReadUnpackedImage(const QString& path) {
    if (path.startsWith(':')) {
        // Compiled into the program: its bytes last as long as the program does.
        const QResource resource(path);
        if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
            return UnpackedImageAt(resource.data(), resource.size(), true);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return UnpackedImageAt(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), false);
}

QImage ReadImage(const QString& path) {
    return path.endsWith(kUnpackedSuffix) ? ReadUnpackedImage(path) : QImage(path);
}

platform::PicturePtr LoadPicture(const QString& path) {
    platform::PicturePtr picture = PictureFromImage(ReadImage(path));
    if (picture) {
        const int suffix = path.lastIndexOf('.');
        const QString twice = (suffix < 0 ? path : path.left(suffix)) + "@2x.png";
        if (QFileInfo::exists(twice)) AttachDoubleResolution(picture, twice);
    }
    return picture;
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
    // Told apart by suffix here rather than by a name filter, which would build a regular
    // expression on every call.
    const QStringList files = directory.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QString name;
        if (file.endsWith(kPngSuffix, Qt::CaseInsensitive)) {
            name = file.chopped(kPngSuffix.size());
        } else if (file.endsWith(kUnpackedSuffix)) {
            name = file.chopped(kUnpackedSuffix.size());
        } else {
            continue;
        }
        if (name.endsWith("@2x")) continue;
        if (platform::PicturePtr picture = PictureFromImage(ReadImage(directory.filePath(file)))) {
            // Only a screen with more device pixels than pixels shows it: read when first shown.
            if (const QString twice = name + "@2x.png"; files.contains(twice))
                AttachDoubleResolution(picture, directory.filePath(twice));
            bag.WriteProperty(name.toStdString(), picture);
        }
    }
    return bag;
}

}  // namespace controls
