#include "dib/Dib.h"

#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "platform/gdi/BmpFile.h"

namespace dib {

namespace gdi = platform::gdi;

namespace {

constexpr std::int64_t kLargestRowBits = 2147483616;  // adding 31 would leave 32 bits

bool IsIndexed(std::int32_t bitCount) {
    const std::optional<gdi::PixelFormat> format = gdi::PixelFormatOf(bitCount);
    return format.has_value() && gdi::IsIndexed(*format);
}

// Converts a computed size to 32 bits, halves to even as the platform's rounding does.
std::int32_t RoundToInt32(double value) {
    return platform::RoundHalfEvenToInt32(value, "Overflow");
}

}  // namespace

std::uint64_t Dib::PixelBytes(std::int32_t width, std::int32_t height, std::int32_t bitCount) {
    const std::uint64_t w = static_cast<std::uint64_t>(width < 0 ? -std::int64_t{width} : width);
    const std::uint64_t h = static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
    return static_cast<std::uint64_t>(gdi::RowStride(static_cast<std::int64_t>(w), bitCount)) * h;
}

Dib::~Dib() {
    Destroy();
}

void Dib::ComputeSizes() {
    const std::int64_t rowBits = std::int64_t{width_} * bitCount_;
    if (rowBits > kLargestRowBits || rowBits < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("Overflow");
    // Truncating division, as the platform's integer division (toward zero).
    const std::int32_t stride = static_cast<std::int32_t>(gdi::RowStride(width_, bitCount_));
    const std::int64_t bytes = std::int64_t{stride} * height_;
    if (bytes > std::numeric_limits<std::int32_t>::max() ||
        bytes < std::numeric_limits<std::int32_t>::min())
        throw std::overflow_error("Overflow");
    stride_ = stride;
    size_ = static_cast<std::int32_t>(bytes);
}

bool Dib::Create(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                 gdi::PixelArena* arena) {
    return Create(width, height, bitCount, gdi::PixelStart::Zeroed, arena);
}

bool Dib::CreateForOverwrite(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                             gdi::PixelArena* arena) {
    return Create(width, height, bitCount, gdi::PixelStart::Unset, arena);
}

bool Dib::Create(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                 gdi::PixelStart start, gdi::PixelArena* arena) {
    Destroy();

    header_ = gdi::BITMAPINFOHEADER{};
    header_.biSize = 40;
    header_.biWidth = width;
    header_.biHeight = height == std::numeric_limits<std::int32_t>::min() ? height : -height;
    header_.biPlanes = 1;
    header_.biBitCount = static_cast<std::uint16_t>(bitCount);

    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    ComputeSizes();

    dc_ = &context_.emplace(gdi::DeviceContext::Kind::Memory);

    // A height of 0 or less would describe no rows, or (negated) a bottom-up bitmap
    // whose size comes out negative; the limit keeps hostile sizes from exhausting
    // memory. All three fail as a failed allocation does.
    const bool sane = width > 0 && height > 0 && gdi::Bitmap::IsSupportedBitCount(bitCount) &&
                      size_ <= kMaxPixelBytes;
    std::uint8_t* bits = nullptr;
    HBITMAP bitmap = nullptr;
    if (sane && arena != nullptr) {
        // What CreateDIBSection makes of the header above, carved from the arena.
        bitmap = gdi::Bitmap::Create(width, height, bitCount, true, start, arena).release();
        if (bitmap != nullptr) bits = bitmap->Bits();
    } else if (sane) {
        bitmap = gdi::CreateDIBSection(dc_, header_, nullptr, &bits, start);
    }
    if (bitmap == nullptr) {
        Destroy();
        return false;
    }
    bitmap_ = bitmap;
    bits_ = bits;
    previousBitmap_ = gdi::SelectObject(dc_, bitmap_);
    return bitmap_ != nullptr;
}

std::uint8_t Dib::CreateFromStdPicture(const platform::PicturePtr& picture, bool force32Bits) {
    if (!picture || gdi::GetObjectType(picture->Handle()) != gdi::ObjectType::Bitmap) return 0;
    HBITMAP source = picture->Handle();
    gdi::BITMAP description;
    gdi::GetObject(source, &description);
    const std::int32_t sourceBpp = description.bmBitsPixel;

    if (!Create(description.bmWidth, description.bmHeight, force32Bits ? 32 : sourceBpp)) return 0;

    HDC sourceDC = gdi::CreateCompatibleDC(dc_);
    if (sourceDC == nullptr) return 0;
    HBITMAP previous = gdi::SelectObject(sourceDC, source);
    if (previous == nullptr) {  // the picture's bitmap is in use elsewhere
        gdi::DeleteDC(sourceDC);
        return 0;
    }
    if (IsIndexed(sourceBpp) && !force32Bits) {
        const std::uint32_t entries = 1u << sourceBpp;
        std::vector<gdi::RGBQUAD> table(entries);
        gdi::GetDIBColorTable(sourceDC, 0, entries, table.data());
        gdi::SetDIBColorTable(dc_, 0, entries, table.data());
    }
    gdi::BitBlt(dc_, 0, 0, description.bmWidth, description.bmHeight, sourceDC, 0, 0,
                gdi::kSrcCopy);
    gdi::SelectObject(sourceDC, previous);
    gdi::DeleteDC(sourceDC);
    return static_cast<std::uint8_t>(sourceBpp);
}

std::uint8_t Dib::CreateFromBitmapFile(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::path path(fileName);
    if (!std::filesystem::exists(path, error)) throw platform::FileNotFoundError(fileName);
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    if (error) return 0;  // a folder or an unreadable entry: nothing to load
    if (length == 0) return 0;

    Destroy();
    dc_ = &context_.emplace(gdi::DeviceContext::Kind::Memory);
    HBITMAP loaded = gdi::LoadBitmapFile(fileName);
    if (loaded == nullptr) {
        Destroy();
        return 0;
    }
    bitmap_ = loaded;
    previousBitmap_ = gdi::SelectObject(dc_, bitmap_);

    gdi::BITMAP description;
    gdi::GetObject(bitmap_, &description);
    width_ = description.bmWidth;
    height_ = description.bmHeight;
    bitCount_ = description.bmBitsPixel;
    bits_ = static_cast<std::uint8_t*>(description.bmBits);
    ComputeSizes();
    return static_cast<std::uint8_t>(bitCount_);
}

void Dib::CloneTo(Dib& copy) const {
    // Cloning onto itself would destroy the pixels before copying them.
    if (&copy == this) return;
    copy.Create(width_, height_, bitCount_);
    if (IsIndexed(bitCount_)) {
        std::vector<std::uint8_t> palette;
        GetPalette(palette);
        copy.SetPalette(palette);
    }
    if (copy.bitmap_ == nullptr || bitmap_ == nullptr) return;
    if (bitmap_->TopDown()) {
        std::memcpy(copy.bits_, bits_, static_cast<std::size_t>(size_));
    } else {
        // A bitmap loaded from a file lies bottom-up; the clone is top-down and shows
        // the same picture, so its rows go in the other order.
        for (std::int32_t y = 0; y < height_; ++y)
            std::memcpy(copy.bitmap_->Row(y), bitmap_->Row(y), static_cast<std::size_t>(stride_));
    }
}

void Dib::Destroy() {
    if (dc_ != nullptr) {
        if (bitmap_ != nullptr) {
            gdi::SelectObject(dc_, previousBitmap_);
            gdi::DeleteObject(bitmap_);
        }
        context_.reset();
    }
    dc_ = nullptr;
    bitmap_ = nullptr;
    previousBitmap_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
    bitCount_ = 0;
    stride_ = 0;
    size_ = 0;
}

std::int32_t Dib::LoadBlt(HDC sourceDc, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height) {
    if (bitmap_ == nullptr) return 0;
    if (width < 1) width = width_;
    if (height < 1) height = height_;
    return gdi::BitBlt(dc_, 0, 0, width, height, sourceDc, x, y, gdi::kSrcCopy);
}

std::int32_t Dib::Stretch(HDC destinationDc, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, std::int32_t sourceX, std::int32_t sourceY,
                          std::int32_t sourceWidth, std::int32_t sourceHeight,
                          std::uint32_t rasterOperation, std::int32_t stretchMode) const {
    if (bitmap_ == nullptr) return 0;
    if (sourceWidth < 1) sourceWidth = width_;
    if (sourceHeight < 1) sourceHeight = height_;
    const int previousMode = gdi::GetStretchBltMode(destinationDc);
    gdi::SetStretchBltMode(destinationDc, stretchMode);
    const int result = gdi::StretchBlt(destinationDc, x, y, width, height, dc_, sourceX, sourceY,
                                       sourceWidth, sourceHeight, rasterOperation);
    gdi::SetStretchBltMode(destinationDc, previousMode);
    return result;
}

void Dib::Cls(platform::OLE_COLOR colour) {
    if (bitmap_ == nullptr) return;
    // An OLE colour that does not translate paints black.
    gdi::FillRectWithColor(dc_, gdi::RECT{0, 0, width_, height_},
                           platform::TranslatedColorOrBlack(colour));
}

void Dib::SetPalette(const std::vector<std::uint8_t>& palette) {
    SetPalette(palette.data(), palette.size());
}

void Dib::SetPalette(const std::uint8_t* palette, std::size_t byteCount) {
    if (bitmap_ == nullptr || !IsIndexed(bitCount_) || palette == nullptr) return;
    // The bytes are colour-table entries as they stand, copied straight into the table;
    // entries past it are ignored.
    const auto tableSize = static_cast<std::size_t>(bitmap_->ColorCount());
    const std::size_t entries = std::min(byteCount / sizeof(gdi::RGBQUAD), tableSize);
    std::memcpy(bitmap_->ColorTable(), palette, entries * sizeof(gdi::RGBQUAD));
}

void Dib::GetPalette(std::vector<std::uint8_t>& palette) const {
    if (bitmap_ == nullptr || !IsIndexed(bitCount_)) return;
    const std::uint32_t entries = 1u << bitCount_;
    std::vector<gdi::RGBQUAD> table(entries);
    gdi::GetDIBColorTable(dc_, 0, entries, table.data());
    palette.assign(4 * static_cast<std::size_t>(entries), 0);
    std::memcpy(palette.data(), table.data(), palette.size());
}

void Dib::GetBestFitInfo(std::int32_t boxWidth, std::int32_t boxHeight, std::int32_t& fitX,
                         std::int32_t& fitY, std::int32_t& fitWidth, std::int32_t& fitHeight,
                         bool stretchToFit) const {
    if (bitmap_ == nullptr) return;
    std::int32_t width = width_;
    std::int32_t height = height_;
    if (width_ > boxWidth || height_ > boxHeight || stretchToFit) {
        // The ratios are kept in single precision, so the products see their rounding.
        const float rW = static_cast<float>(static_cast<double>(boxWidth) / width_);
        const float rH = static_cast<float>(static_cast<double>(boxHeight) / height_);
        if (rW < rH) {
            width = boxWidth;
            height = RoundToInt32(static_cast<double>(rW) * height_);
        } else {
            height = boxHeight;
            width = RoundToInt32(static_cast<double>(rH) * width_);
        }
    }
    const std::int64_t x = (std::int64_t{boxWidth} - width) / 2;
    const std::int64_t y = (std::int64_t{boxHeight} - height) / 2;
    if (x < std::numeric_limits<std::int32_t>::min() ||
        x > std::numeric_limits<std::int32_t>::max() ||
        y < std::numeric_limits<std::int32_t>::min() ||
        y > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("Overflow");
    fitWidth = width;
    fitHeight = height;
    fitX = static_cast<std::int32_t>(x);
    fitY = static_cast<std::int32_t>(y);
}

platform::PicturePtr Dib::Image() const {
    HDC screen = gdi::GetDC(nullptr);
    HDC memory = gdi::CreateCompatibleDC(screen);
    HBITMAP bitmap = gdi::CreateCompatibleBitmap(screen, width_, height_);
    HBITMAP previous = gdi::SelectObject(memory, bitmap);
    gdi::ReleaseDC(nullptr, screen);
    Stretch(memory, 0, 0, width_, height_, 0, 0, 0, 0, gdi::kSrcCopy, gdi::kColorOnColor);
    gdi::SelectObject(memory, previous);
    gdi::DeleteDC(memory);
    return platform::Picture::FromBitmap(bitmap);
}

}  // namespace dib
