#include "platform/gdi/Bitmap.h"

#include <cstddef>
#include <cstdlib>
#include <limits>

namespace platform::gdi {

std::int64_t Bitmap::StrideFor(std::int64_t width, int bitCount) {
    const std::int64_t stride = RowStride(width, bitCount);
    if (stride > std::numeric_limits<std::int32_t>::max()) return -1;
    return stride;
}

std::unique_ptr<Bitmap> Bitmap::Create(std::int32_t width, std::int32_t height, int bitCount,
                                       bool topDown, PixelStart start, PixelArena* arena) {
    const ChannelMasks masks =
        bitCount == 16 ? ChannelMasks::Standard16() : ChannelMasks::Standard32();
    return Create(width, height, bitCount, topDown, masks, start, arena);
}

std::unique_ptr<Bitmap> Bitmap::Create(std::int32_t width, std::int32_t height, int bitCount,
                                       bool topDown, const ChannelMasks& masks, PixelStart start,
                                       PixelArena* arena) {
    const std::optional<PixelFormat> format = PixelFormatOf(bitCount);
    if (width <= 0 || height <= 0 || !format) return nullptr;
    if (HasChannelMasks(*format) && !masks.IsUsable(bitCount)) return nullptr;
    const std::int64_t stride = StrideFor(width, bitCount);
    if (stride <= 0) return nullptr;
    const std::int64_t bytes = stride * height;
    if (bytes > std::numeric_limits<std::int32_t>::max()) return nullptr;

    const auto size = static_cast<std::size_t>(bytes);
    std::unique_ptr<Bitmap> bitmap(new (size, start, arena) Bitmap());
    if (!bitmap) return nullptr;
    bitmap->width_ = width;
    bitmap->height_ = height;
    bitmap->format_ = *format;
    bitmap->stride_ = static_cast<std::int32_t>(stride);
    bitmap->topDown_ = topDown;
    bitmap->byteSize_ = size;
    bitmap->bits_ = reinterpret_cast<std::uint8_t*>(bitmap.get()) + PixelOffset();
    if (HasChannelMasks(*format)) bitmap->masks_ = masks;
    return bitmap;
}

Bitmap* Bitmap::StockMonochrome() {
    static Bitmap* const stock = [] {
        Bitmap* b = Create(1, 1, 1, true).release();
        b->stock_ = true;
        b->SetMonochromeColours();
        return b;
    }();
    return stock;
}

Bitmap::~Bitmap() = default;

std::size_t Bitmap::PixelOffset() {
    // The pixels are as aligned as the block the allocator gives.
    constexpr std::size_t kAlignment = alignof(std::max_align_t);
    return (sizeof(Bitmap) + kAlignment - 1) / kAlignment * kAlignment;
}

namespace {

// Before each bitmap object, aligned as the object: the arena block it was carved from, or
// null for a block of the C library's allocator.
constexpr std::size_t kOrigin = alignof(std::max_align_t);

PixelArena::Block*& OriginOf(void* object) {
    return *reinterpret_cast<PixelArena::Block**>(static_cast<unsigned char*>(object) - kOrigin);
}

}  // namespace

std::size_t Bitmap::ArenaFootprint(std::size_t pixelBytes) {
    return PixelArena::Footprint(kOrigin + PixelOffset() + pixelBytes);
}

void* Bitmap::operator new(std::size_t, std::size_t pixelBytes, PixelStart start,
                           PixelArena* arena) noexcept {
    const std::size_t size = kOrigin + PixelOffset() + pixelBytes;
    PixelArena::Block* from = nullptr;
    unsigned char* block = nullptr;
    if (arena != nullptr) {
        block = static_cast<unsigned char*>(arena->Allocate(size, from, start));
    } else {
        // calloc: large blocks come zeroed from the system without a pass over them.
        block = static_cast<unsigned char*>(start == PixelStart::Zeroed ? std::calloc(size, 1)
                                                                        : std::malloc(size));
    }
    if (block == nullptr) return nullptr;
    void* object = block + kOrigin;
    OriginOf(object) = from;
    return object;
}

void Bitmap::operator delete(void* object, std::size_t, PixelStart, PixelArena*) {
    operator delete(object);
}

void Bitmap::operator delete(void* object) {
    if (object == nullptr) return;
    PixelArena::Block* const from = OriginOf(object);
    if (from != nullptr)
        PixelArena::Release(from);
    else
        std::free(static_cast<unsigned char*>(object) - kOrigin);
}

}  // namespace platform::gdi
