#include "platform/gdi/Blitter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/NearestColor.h"
#include "platform/gdi/PixelRows.h"

namespace platform::gdi {

namespace {

// Which destination pixels along one axis are drawn, and from which source pixel each.
struct Axis {
    std::int32_t destFirst = 0;
    std::vector<std::int32_t> source;  // source coordinate per drawn destination pixel
    bool oneToOne = false;             // source[i] == source[0] + i
};

Axis MapAxis(std::int64_t destPos, std::int64_t destLen, std::int64_t srcPos, std::int64_t srcLen,
             std::int32_t destLimit, std::int32_t srcLimit) {
    Axis axis;
    if (destLen == 0 || srcLen == 0) return axis;
    const std::int64_t destCount = destLen < 0 ? -destLen : destLen;
    const std::int64_t srcCount = srcLen < 0 ? -srcLen : srcLen;
    const std::int64_t destStart = destLen < 0 ? destPos + destLen : destPos;
    const std::int64_t srcStart = srcLen < 0 ? srcPos + srcLen : srcPos;
    const bool mirror = (destLen < 0) != (srcLen < 0);

    // Only destination pixels inside the bitmap are mapped, so the work is bounded by the
    // destination's size whatever the request; (2d + 1) x srcCount stays below 2^63.
    const std::int64_t first = std::max<std::int64_t>(0, -destStart);
    const std::int64_t last = std::min<std::int64_t>(destCount, destLimit - destStart);
    if (first >= last) return axis;

    auto sourceOf = [&](std::int64_t d) {
        std::int64_t k = ((2 * d + 1) * srcCount) / (2 * destCount);
        if (mirror) k = srcCount - 1 - k;
        return srcStart + k;
    };
    auto inSource = [&](std::int64_t s) { return s >= 0 && s < srcLimit; };

    // The mapping is monotonic, so the pixels with a source inside the bitmap form one run.
    std::int64_t lo = first;
    std::int64_t hi = last;
    while (lo < hi && !inSource(sourceOf(lo)))
        ++lo;
    while (hi > lo && !inSource(sourceOf(hi - 1)))
        --hi;
    if (lo >= hi) return axis;

    axis.destFirst = static_cast<std::int32_t>(destStart + lo);
    axis.source.reserve(static_cast<std::size_t>(hi - lo));
    for (std::int64_t d = lo; d < hi; ++d)
        axis.source.push_back(static_cast<std::int32_t>(sourceOf(d)));
    axis.oneToOne = destCount == srcCount && !mirror;
    return axis;
}

bool IsStandard32(const Bitmap& b) {
    return b.BitCount() == 32 && b.Masks() == ChannelMasks::Standard32();
}

// How colours become destination pixel values.
class DestinationEncoder {
  public:
    explicit DestinationEncoder(const Bitmap& dst) {
        if (dst.IsIndexed()) {
            kind_ = Kind::Nearest;
            nearest_.emplace(dst.ColorTable(), dst.ColorCount());
        } else if (dst.BitCount() == 24 || IsStandard32(dst)) {
            kind_ = Kind::AsIs;
        } else {
            kind_ = Kind::Packed;
            packer_.emplace(dst.Masks());
        }
    }

    bool IsAsIs() const { return kind_ == Kind::AsIs; }

    std::uint32_t Encode(Rgb32 rgb) {
        switch (kind_) {
            case Kind::Nearest:
                return nearest_->IndexOf(rgb);
            case Kind::Packed:
                return packer_->Encode(rgb);
            case Kind::AsIs:
                break;
        }
        return rgb & 0xFFFFFF;
    }

    // Turns a row of colours into pixel values; one choice per row, none per pixel.
    void EncodeRow(std::uint32_t* values, std::int32_t count) {
        if (kind_ == Kind::Nearest) {
            for (std::int32_t i = 0; i < count; ++i)
                values[i] = nearest_->IndexOf(values[i]);
        } else if (kind_ == Kind::Packed) {
            const PixelPacker& packer = *packer_;
            for (std::int32_t i = 0; i < count; ++i)
                values[i] = packer.Encode(values[i]);
        }
    }

  private:
    enum class Kind { AsIs, Nearest, Packed };
    Kind kind_ = Kind::AsIs;
    std::optional<NearestColor> nearest_;
    std::optional<PixelPacker> packer_;
};

// Calls `pick` with the row operation of a raster operation code; null for codes this layer
// does not draw with.
template <class Pick>
auto WithRasterOp(std::uint32_t rop, Pick pick) -> decltype(pick(rows::Copy{})) {
    switch (rop) {
        case kSrcCopy:
            return pick(rows::Copy{});
        case kSrcAnd:
            return pick(rows::And{});
        case kSrcPaint:
            return pick(rows::Or{});
        default:
            return nullptr;
    }
}

rows::WriteFn PickWriter(PixelFormat format, std::uint32_t rop) {
    auto pick = [format](auto op) -> rows::WriteFn {
        using Op = decltype(op);
        switch (format) {
            case PixelFormat::Indexed1:
                return &rows::Write<1, Op>;
            case PixelFormat::Indexed4:
                return &rows::Write<4, Op>;
            case PixelFormat::Indexed8:
                return &rows::Write<8, Op>;
            case PixelFormat::Packed16:
                return &rows::Write<16, Op>;
            case PixelFormat::Direct24:
                return &rows::Write<24, Op>;
            case PixelFormat::Direct32:
                return &rows::Write<32, Op>;
        }
        return nullptr;
    };
    return WithRasterOp(rop, pick);
}

rows::ReadFn PickReader(const Bitmap& src) {
    switch (src.Format()) {
        case PixelFormat::Indexed1:
            return &rows::ReadIndexed<1>;
        case PixelFormat::Indexed4:
            return &rows::ReadIndexed<4>;
        case PixelFormat::Indexed8:
            return &rows::ReadIndexed<8>;
        case PixelFormat::Packed16:
            return &rows::ReadPacked<16>;
        case PixelFormat::Direct24:
            return &rows::ReadDirect<24>;
        case PixelFormat::Direct32:
            return IsStandard32(src) ? &rows::ReadDirect<32> : &rows::ReadPacked<32>;
    }
    return nullptr;
}

// The one-pass path from an indexed source into a 32-bit destination, null otherwise.
rows::CombineFn PickIndexedInto32(const Bitmap& src, const Bitmap& dst, std::uint32_t rop) {
    if (!src.IsIndexed() || !IsStandard32(dst)) return nullptr;
    auto pick = [&src](auto op) -> rows::CombineFn {
        using Op = decltype(op);
        switch (src.Format()) {
            case PixelFormat::Indexed1:
                return &rows::CombineIndexedInto32<1, Op>;
            case PixelFormat::Indexed4:
                return &rows::CombineIndexedInto32<4, Op>;
            default:
                return &rows::CombineIndexedInto32<8, Op>;
        }
    };
    return WithRasterOp(rop, pick);
}

std::unique_ptr<Bitmap> Duplicate(const Bitmap& b) {
    std::unique_ptr<Bitmap> copy =
        Bitmap::Create(b.Width(), b.Height(), b.BitCount(), b.TopDown(), b.Masks());
    if (!copy) return nullptr;
    std::memcpy(copy->Bits(), b.Bits(), b.ByteSize());
    std::copy(b.ColorTable(), b.ColorTable() + b.ColorCount(), copy->ColorTable());
    return copy;
}

// Whether source rows can be copied byte for byte: same layout, and for an indexed
// source every index maps to itself.
bool SameRawLayout(const Bitmap& src, const Bitmap& dst, const std::uint32_t* lut) {
    if (src.Format() != dst.Format()) return false;
    switch (src.Format()) {
        case PixelFormat::Indexed8:
            for (int i = 0; i < 256; ++i)
                if (lut[i] != static_cast<std::uint32_t>(i)) return false;
            return true;
        case PixelFormat::Packed16:
        case PixelFormat::Direct32:
            return src.Masks() == dst.Masks();
        case PixelFormat::Direct24:
            return true;
        default:
            return false;  // packed below a byte: not worth a path of its own
    }
}

}  // namespace

bool StretchPixels(Bitmap& dst, const BlitRect& to, const Bitmap& srcIn, const BlitRect& from,
                   std::uint32_t rop) {
    const rows::WriteFn write = PickWriter(dst.Format(), rop);
    const rows::ReadFn read = PickReader(srcIn);
    if (write == nullptr || read == nullptr) return false;

    const Axis columns = MapAxis(to.x, to.width, from.x, from.width, dst.Width(), srcIn.Width());
    const Axis lines = MapAxis(to.y, to.height, from.y, from.height, dst.Height(), srcIn.Height());
    if (columns.source.empty() || lines.source.empty()) return true;  // nothing to draw

    // Reading and writing the same pixels would see half-written rows: read from a copy.
    std::unique_ptr<Bitmap> copy;
    const Bitmap* src = &srcIn;
    if (&srcIn == &dst) {
        copy = Duplicate(srcIn);
        if (!copy) return false;
        src = copy.get();
    }

    DestinationEncoder encoder(dst);
    std::uint32_t lut[256] = {};
    rows::ReadContext ctx;
    std::optional<PixelPacker> srcPacker;
    const bool indexedSource = src->IsIndexed();
    if (indexedSource) {
        const RGBQUAD* table = src->ColorTable();
        for (int i = 0; i < src->ColorCount(); ++i)
            lut[i] =
                encoder.Encode(MakeRgb32(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
        ctx.lut = lut;
    } else if (HasChannelMasks(src->Format()) && !IsStandard32(*src)) {
        srcPacker.emplace(src->Masks());
        ctx.packer = &*srcPacker;
    }
    // Colours read from a direct-colour source still need turning into pixel values.
    const bool encodeRows = !indexedSource && !encoder.IsAsIs();

    const std::int32_t count = static_cast<std::int32_t>(columns.source.size());
    const std::int32_t dx = columns.destFirst;
    const std::int32_t sx = columns.source.front();
    const std::int32_t* columnMap = columns.oneToOne ? nullptr : columns.source.data();

    const bool copyOp = rop == kSrcCopy;
    const int bytesPerPixel = dst.BitCount() / 8;
    const bool rawRows = copyOp && columns.oneToOne && SameRawLayout(*src, dst, lut);
    // 32-bit destinations take the values as pixels: read straight into the row.
    const rows::CombineFn combine = rawRows ? nullptr : PickIndexedInto32(*src, dst, rop);
    const bool readIntoRow = !combine && copyOp && IsStandard32(dst) && !encodeRows;

    std::vector<std::uint32_t> values(readIntoRow || rawRows || combine ? 0 : count);
    std::vector<std::uint32_t> patterns;
    if (combine != nullptr && src->BitCount() == 1 && columnMap == nullptr) {
        patterns.resize(256 * 8);
        rows::ExpandBytePatterns(lut, patterns.data());
    }
    std::int32_t previousSourceRow = -1;
    std::uint8_t* previousRow = nullptr;

    for (std::size_t j = 0; j < lines.source.size(); ++j) {
        const std::int32_t sourceRow = lines.source[j];
        const std::uint8_t* in = src->Row(sourceRow);
        std::uint8_t* out = dst.Row(lines.destFirst + static_cast<std::int32_t>(j));
        const bool repeatedRow = sourceRow == previousSourceRow;

        if (rawRows) {
            std::memcpy(out + static_cast<std::ptrdiff_t>(dx) * bytesPerPixel,
                        in + static_cast<std::ptrdiff_t>(sx) * bytesPerPixel,
                        static_cast<std::size_t>(count) * bytesPerPixel);
        } else if (combine != nullptr) {
            combine(in, sx, columnMap, count, lut, patterns.data(),
                    reinterpret_cast<std::uint32_t*>(out) + dx);
        } else if (readIntoRow) {
            std::uint32_t* target = reinterpret_cast<std::uint32_t*>(out) + dx;
            if (repeatedRow) {
                std::memcpy(target, reinterpret_cast<const std::uint32_t*>(previousRow) + dx,
                            4 * static_cast<std::size_t>(count));
            } else {
                read(in, sx, columnMap, count, ctx, target);
            }
        } else {
            if (!repeatedRow) {
                read(in, sx, columnMap, count, ctx, values.data());
                if (encodeRows) encoder.EncodeRow(values.data(), count);
            }
            write(out, dx, values.data(), count);
        }
        previousSourceRow = sourceRow;
        previousRow = out;
    }
    return true;
}

void FillPixels(Bitmap& dst, const RECT& rect, COLORREF color) {
    const std::int32_t left = std::max(rect.left, 0);
    const std::int32_t top = std::max(rect.top, 0);
    const std::int32_t right = std::min(rect.right, dst.Width());
    const std::int32_t bottom = std::min(rect.bottom, dst.Height());
    if (left >= right || top >= bottom) return;

    DestinationEncoder encoder(dst);
    const std::uint32_t value =
        encoder.Encode(MakeRgb32(RedOf(color), GreenOf(color), BlueOf(color)));
    const rows::WriteFn write = PickWriter(dst.Format(), kSrcCopy);
    const std::vector<std::uint32_t> values(static_cast<std::size_t>(right - left), value);
    for (std::int32_t y = top; y < bottom; ++y)
        write(dst.Row(y), left, values.data(), right - left);
}

}  // namespace platform::gdi
