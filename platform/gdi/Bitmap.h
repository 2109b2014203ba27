#pragma once
// A bitmap in plain memory: the device-independent layout of the platform (rows padded to
// 4 bytes, 1 and 4 bits a pixel packed from the most significant end, 16 bits as 5-5-5
// words, 24 bits as blue, green, red bytes, 32 bits as blue, green, red, unused) with a
// colour table for 8 bits a pixel or fewer. Rows lie top-down or bottom-up in memory;
// Row(y) hides which, so every other piece of code counts rows from the top of the image.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/gdi/ChannelMasks.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelArena.h"
#include "platform/gdi/PixelFormat.h"

namespace platform::gdi {

class DeviceContext;

class Bitmap final : public GdiObject {
  public:
    // Pixel memory starts as `start` says and the colour table black. Returns null for a
    // size or depth the layout cannot describe, or when the memory cannot be had. 16- and
    // 32-bit bitmaps take the standard channel masks unless others are given. With an
    // arena, the bitmap (object and pixels) is carved from it.
    static std::unique_ptr<Bitmap> Create(std::int32_t width, std::int32_t height, int bitCount,
                                          bool topDown, PixelStart start = PixelStart::Zeroed,
                                          PixelArena* arena = nullptr);
    static std::unique_ptr<Bitmap> Create(std::int32_t width, std::int32_t height, int bitCount,
                                          bool topDown, const ChannelMasks& masks,
                                          PixelStart start = PixelStart::Zeroed,
                                          PixelArena* arena = nullptr);

    // What a bitmap with `pixelBytes` of pixels takes of an arena, object included.
    static std::size_t ArenaFootprint(std::size_t pixelBytes);

    // Row stride of the layout (RowStride); -1 when it does not fit in 32 bits.
    static std::int64_t StrideFor(std::int64_t width, int bitCount);
    static bool IsSupportedBitCount(int bitCount) { return PixelFormatOf(bitCount).has_value(); }

    // The 1 x 1 monochrome bitmap that every new memory device context holds. It is
    // shared by all of them and never deleted.
    static Bitmap* StockMonochrome();

    ~Bitmap() override;
    // Frees the object together with its pixel memory.
    static void operator delete(void* block);

    bool IsStock() const { return stock_; }

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int BitCount() const { return BitsPerPixel(format_); }
    bool IsIndexed() const { return platform::gdi::IsIndexed(format_); }
    std::int32_t Stride() const { return stride_; }
    bool TopDown() const { return topDown_; }
    std::size_t ByteSize() const { return byteSize_; }
    std::uint8_t* Bits() { return bits_; }
    const std::uint8_t* Bits() const { return bits_; }

    // The first byte of image row y, counted from the top. The only place that knows
    // the row order.
    std::uint8_t* Row(std::int32_t y) {
        return bits_ + static_cast<std::ptrdiff_t>(topDown_ ? y : height_ - 1 - y) * stride_;
    }
    const std::uint8_t* Row(std::int32_t y) const {
        return bits_ + static_cast<std::ptrdiff_t>(topDown_ ? y : height_ - 1 - y) * stride_;
    }

    // 2, 16 or 256 entries for 1, 4 or 8 bits a pixel; 0 for the direct-colour depths.
    int ColorCount() const { return ColourTableSize(format_); }
    RGBQUAD* ColorTable() { return colorTable_.data(); }
    // Entries 0 and 1 black and white, the table of every monochrome bitmap and mask.
    void SetMonochromeColours() {
        std::copy(kMonochromeColours, kMonochromeColours + 2, ColorTable());
    }
    const RGBQUAD* ColorTable() const { return colorTable_.data(); }

    // Channel layout of a 16- or 32-bit bitmap.
    const ChannelMasks& Masks() const { return masks_; }

    // The device context this bitmap is selected into, if any; a bitmap is selected into
    // at most one at a time and cannot be deleted while it is.
    DeviceContext* SelectedInto() const { return selectedInto_; }
    void SetSelectedInto(DeviceContext* dc) { selectedInto_ = dc; }

  private:
    Bitmap() : GdiObject(ObjectType::Bitmap) {}
    // The object and its pixel memory are one block, the pixels after the object: an
    // animation makes two bitmaps a frame, and for small frames a second allocation would
    // cost more than the pixels. The block comes from the C library's allocator, or is
    // carved from an arena; a word before the object says which. Null when the memory
    // cannot be had.
    static void* operator new(std::size_t objectSize, std::size_t pixelBytes, PixelStart start,
                              PixelArena* arena) noexcept;
    static void operator delete(void* block, std::size_t pixelBytes, PixelStart start,
                                PixelArena* arena);
    static std::size_t PixelOffset();

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    PixelFormat format_ = PixelFormat::Indexed1;
    std::int32_t stride_ = 0;
    bool topDown_ = true;
    std::size_t byteSize_ = 0;
    std::uint8_t* bits_ = nullptr;  // in the object's own block, at PixelOffset()
    ChannelMasks masks_;
    std::array<RGBQUAD, 256> colorTable_{};
    DeviceContext* selectedInto_ = nullptr;
    bool stock_ = false;
};

}  // namespace platform::gdi
