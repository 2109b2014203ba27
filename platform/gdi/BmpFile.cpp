#include "platform/gdi/BmpFile.h"

#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "platform/WholeFile.h"

namespace platform::gdi {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;  // the old header: 16-bit sizes, 3-byte colours
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kLargestHeaderBytes = 124;  // the fifth version of the header
constexpr std::uint32_t kBiAlphaBitfields = 6;

// A bounds-checked reader over the file's bytes.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const {
        return data_[at] | (std::uint32_t{data_[at + 1]} << 8) |
               (std::uint32_t{data_[at + 2]} << 16) | (std::uint32_t{data_[at + 3]} << 24);
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* At(std::size_t at) const { return data_ + at; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

struct Layout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: negative means top-down
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    ChannelMasks masks;
    bool hasMasks = false;
    std::size_t colorTableAt = 0;
    int colorEntryBytes = 4;
};

bool ReadLayout(const Bytes& bytes, Layout& layout) {
    const std::uint32_t headerSize = bytes.U32(kFileHeaderBytes);
    const std::size_t header = kFileHeaderBytes;
    if (headerSize == kCoreHeaderBytes) {
        if (!bytes.Has(header, kCoreHeaderBytes)) return false;
        layout.width = bytes.U16(header + 4);
        layout.height = bytes.U16(header + 6);
        if (bytes.U16(header + 8) != 1) return false;
        layout.bitCount = bytes.U16(header + 10);
        if (HasChannelMasks(layout.bitCount)) return false;  // not in this header
        layout.colorTableAt = header + kCoreHeaderBytes;
        layout.colorEntryBytes = 3;
        return true;
    }
    if (headerSize < kInfoHeaderBytes || headerSize > kLargestHeaderBytes) return false;
    if (!bytes.Has(header, headerSize)) return false;
    layout.width = bytes.I32(header + 4);
    layout.height = bytes.I32(header + 8);
    if (bytes.U16(header + 12) != 1) return false;
    layout.bitCount = bytes.U16(header + 14);
    layout.compression = bytes.U32(header + 16);
    layout.colorsUsed = bytes.U32(header + 32);
    std::size_t after = header + headerSize;
    if (layout.compression == kBiBitfields || layout.compression == kBiAlphaBitfields) {
        if (!HasChannelMasks(layout.bitCount)) return false;
        // The masks follow a 40-byte header, and are part of the longer ones.
        const std::uint32_t maskCount = layout.compression == kBiAlphaBitfields ? 4 : 3;
        std::size_t masksAt = header + kInfoHeaderBytes;
        if (headerSize == kInfoHeaderBytes) {
            if (!bytes.Has(masksAt, 4 * maskCount)) return false;
            after += 4 * maskCount;
        } else if (headerSize < kInfoHeaderBytes + 12) {
            return false;
        }
        layout.masks = {bytes.U32(masksAt), bytes.U32(masksAt + 4), bytes.U32(masksAt + 8)};
        if (!layout.masks.IsUsable(layout.bitCount)) return false;
        layout.hasMasks = true;
        layout.compression = kBiBitfields;
    } else if (layout.compression != kBiRgb) {
        return false;  // run-length, JPEG and PNG data are not read
    }
    layout.colorTableAt = after;
    return true;
}

}  // namespace

std::unique_ptr<Bitmap> DecodeBitmapFile(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) return nullptr;
    const Bytes bytes(data, size);
    if (!bytes.Has(0, kFileHeaderBytes + 4)) return nullptr;
    if (data[0] != 'B' || data[1] != 'M') return nullptr;  // "BM": a bitmap file
    const std::uint32_t pixelOffset = bytes.U32(10);

    Layout layout;
    if (!ReadLayout(bytes, layout)) return nullptr;
    const std::optional<PixelFormat> format = PixelFormatOf(layout.bitCount);
    if (!format) return nullptr;
    if (layout.width <= 0 || layout.height == 0 ||
        layout.height == std::numeric_limits<std::int32_t>::min())
        return nullptr;
    const bool topDown = layout.height < 0;
    const std::int32_t rows = topDown ? -layout.height : layout.height;

    // The pixels must all be in the file before anything is allocated: a short file
    // cannot make us allocate the size its header claims.
    const std::int64_t stride = Bitmap::StrideFor(layout.width, layout.bitCount);
    if (stride <= 0) return nullptr;
    const std::uint64_t pixelBytes =
        static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(rows);

    const int tableSize = ColourTableSize(*format);
    std::uint32_t entries = 0;
    if (tableSize > 0) {
        entries =
            layout.colorsUsed != 0 ? layout.colorsUsed : static_cast<std::uint32_t>(tableSize);
        if (entries > static_cast<std::uint32_t>(tableSize))
            entries = static_cast<std::uint32_t>(tableSize);
        if (!bytes.Has(layout.colorTableAt, std::uint64_t{entries} * layout.colorEntryBytes))
            return nullptr;
    }
    const std::uint64_t pixelsAt =
        pixelOffset != 0 ? pixelOffset
                         : layout.colorTableAt + std::uint64_t{entries} * layout.colorEntryBytes;
    if (!bytes.Has(pixelsAt, pixelBytes)) return nullptr;

    std::unique_ptr<Bitmap> bitmap =
        layout.hasMasks ? Bitmap::Create(layout.width, rows, layout.bitCount, topDown, layout.masks)
                        : Bitmap::Create(layout.width, rows, layout.bitCount, topDown);
    if (!bitmap) return nullptr;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = bytes.At(layout.colorTableAt + i * layout.colorEntryBytes);
        bitmap->ColorTable()[i] =
            RGBQUAD{e[0], e[1], e[2], layout.colorEntryBytes == 4 ? e[3] : std::uint8_t{0}};
    }
    std::memcpy(bitmap->Bits(), bytes.At(static_cast<std::size_t>(pixelsAt)),
                static_cast<std::size_t>(pixelBytes));
    return bitmap;
}

Bitmap* LoadBitmapFile(const std::string& path) {
    std::vector<std::uint8_t> data;
    if (!ReadWholeFile(path, data, kMaxBitmapFileBytes) || data.empty()) return nullptr;
    return DecodeBitmapFile(data.data(), data.size()).release();
}

}  // namespace platform::gdi
