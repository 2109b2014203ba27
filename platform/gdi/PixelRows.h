#pragma once
// The inner loops of the blitter, one template per pixel layout. A blit picks one reader
// and one writer before it walks the rows, so no loop here asks what format it is in.
//
// Readers turn source pixels into "values" of a uniform 32-bit form: either already the
// destination's pixel values (an indexed source goes through a lookup table made from its
// colour table) or colours 0x00RRGGBB that a conversion step then turns into destination
// values. Writers combine values into a destination row with one raster operation.

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "platform/gdi/ChannelMasks.h"

namespace platform::gdi::rows {

// --- reading -------------------------------------------------------------------------------

template <int Bpp>
inline std::uint32_t ReadPixel(const std::uint8_t* row, std::int32_t x);

template <>
inline std::uint32_t ReadPixel<1>(const std::uint8_t* row, std::int32_t x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1u;  // leftmost pixel in the top bit
}
template <>
inline std::uint32_t ReadPixel<4>(const std::uint8_t* row, std::int32_t x) {
    return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;  // leftmost in the high nibble
}
template <>
inline std::uint32_t ReadPixel<8>(const std::uint8_t* row, std::int32_t x) {
    return row[x];
}
template <>
inline std::uint32_t ReadPixel<16>(const std::uint8_t* row, std::int32_t x) {
    return reinterpret_cast<const std::uint16_t*>(row)[x];
}
template <>
inline std::uint32_t ReadPixel<24>(const std::uint8_t* row, std::int32_t x) {
    const std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}
template <>
inline std::uint32_t ReadPixel<32>(const std::uint8_t* row, std::int32_t x) {
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

// What a reader needs besides the row: a lookup table for indexed pixels, a channel
// decoder for packed ones.
struct ReadContext {
    const std::uint32_t* lut = nullptr;
    const PixelPacker* packer = nullptr;
};

// Reads `count` pixels: from columns x0, x0 + 1, ... when `columns` is null, else from the
// listed columns (a stretch).
using ReadFn = void (*)(const std::uint8_t* row, std::int32_t x0, const std::int32_t* columns,
                        std::int32_t count, const ReadContext& ctx, std::uint32_t* out);

template <int Bpp>
void ReadIndexed(const std::uint8_t* row, std::int32_t x0, const std::int32_t* columns,
                 std::int32_t count, const ReadContext& ctx, std::uint32_t* out) {
    const std::uint32_t* lut = ctx.lut;
    if (columns != nullptr) {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = lut[ReadPixel<Bpp>(row, columns[i])];
        return;
    }
    if constexpr (Bpp == 8) {
        const std::uint8_t* src = row + x0;
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = lut[src[i]];
    } else if constexpr (Bpp == 1) {
        // Whole bytes eight pixels at a time once the start is byte-aligned.
        std::int32_t i = 0;
        std::int32_t x = x0;
        for (; i < count && (x & 7) != 0; ++i, ++x)
            out[i] = lut[ReadPixel<1>(row, x)];
        const std::uint32_t zero = lut[0];
        const std::uint32_t one = lut[1];
        for (; i + 8 <= count; i += 8, x += 8) {
            const std::uint32_t bits = row[x >> 3];
            std::uint32_t* o = out + i;
            o[0] = (bits & 0x80) ? one : zero;
            o[1] = (bits & 0x40) ? one : zero;
            o[2] = (bits & 0x20) ? one : zero;
            o[3] = (bits & 0x10) ? one : zero;
            o[4] = (bits & 0x08) ? one : zero;
            o[5] = (bits & 0x04) ? one : zero;
            o[6] = (bits & 0x02) ? one : zero;
            o[7] = (bits & 0x01) ? one : zero;
        }
        for (; i < count; ++i, ++x)
            out[i] = lut[ReadPixel<1>(row, x)];
    } else {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = lut[ReadPixel<Bpp>(row, x0 + i)];
    }
}

// 24 bits give 0x00RRGGBB; 32 bits give the whole word as it lies.
template <int Bpp>
void ReadDirect(const std::uint8_t* row, std::int32_t x0, const std::int32_t* columns,
                std::int32_t count, const ReadContext&, std::uint32_t* out) {
    if (columns != nullptr) {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = ReadPixel<Bpp>(row, columns[i]);
    } else if constexpr (Bpp == 32) {
        std::memcpy(out, row + 4 * static_cast<std::ptrdiff_t>(x0),
                    4 * static_cast<std::size_t>(count));
    } else {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = ReadPixel<Bpp>(row, x0 + i);
    }
}

// 16-bit pixels and 32-bit pixels with other channel masks, decoded to 0x00RRGGBB.
template <int Bpp>
void ReadPacked(const std::uint8_t* row, std::int32_t x0, const std::int32_t* columns,
                std::int32_t count, const ReadContext& ctx, std::uint32_t* out) {
    const PixelPacker& packer = *ctx.packer;
    if (columns != nullptr) {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = packer.Decode(ReadPixel<Bpp>(row, columns[i]));
    } else {
        for (std::int32_t i = 0; i < count; ++i)
            out[i] = packer.Decode(ReadPixel<Bpp>(row, x0 + i));
    }
}

// For 1-bit sources: the eight values each byte value stands for, 256 x 8 of them, so
// that a whole byte of pixels is combined as eight plain values.
inline void ExpandBytePatterns(const std::uint32_t* lut, std::uint32_t* patterns) {
    for (int byte = 0; byte < 256; ++byte)
        for (int b = 0; b < 8; ++b)
            patterns[8 * byte + b] = lut[(byte >> (7 - b)) & 1];
}

// Reads indexed pixels and combines them straight into a 32-bit row, one pass and no
// buffer: the mask and colour passes of every animation frame take this path.
// `patterns` comes from ExpandBytePatterns for 1-bit sources.
template <int Bpp, class Op>
void CombineIndexedInto32(const std::uint8_t* __restrict row, std::int32_t x0,
                          const std::int32_t* __restrict columns, std::int32_t count,
                          const std::uint32_t* __restrict lut,
                          const std::uint32_t* __restrict patterns, std::uint32_t* __restrict dst) {
    if (columns != nullptr) {
        for (std::int32_t i = 0; i < count; ++i)
            dst[i] = Op::Apply(dst[i], lut[ReadPixel<Bpp>(row, columns[i])]);
        return;
    }
    if constexpr (Bpp == 8) {
        const std::uint8_t* src = row + x0;
        for (std::int32_t i = 0; i < count; ++i)
            dst[i] = Op::Apply(dst[i], lut[src[i]]);
    } else if constexpr (Bpp == 1) {
        std::int32_t i = 0;
        std::int32_t x = x0;
        for (; i < count && (x & 7) != 0; ++i, ++x)
            dst[i] = Op::Apply(dst[i], lut[ReadPixel<1>(row, x)]);
        for (; i + 8 <= count; i += 8, x += 8) {
            const std::uint32_t* values = patterns + 8 * row[x >> 3];
            std::uint32_t* d = dst + i;
            for (int b = 0; b < 8; ++b)
                d[b] = Op::Apply(d[b], values[b]);
        }
        for (; i < count; ++i, ++x)
            dst[i] = Op::Apply(dst[i], lut[ReadPixel<1>(row, x)]);
    } else {
        for (std::int32_t i = 0; i < count; ++i)
            dst[i] = Op::Apply(dst[i], lut[ReadPixel<Bpp>(row, x0 + i)]);
    }
}

using CombineFn = void (*)(const std::uint8_t* row, std::int32_t x0, const std::int32_t* columns,
                           std::int32_t count, const std::uint32_t* lut,
                           const std::uint32_t* patterns, std::uint32_t* dst);

// --- writing -------------------------------------------------------------------------------

struct Copy {
    static std::uint32_t Apply(std::uint32_t, std::uint32_t s) { return s; }
};
struct And {
    static std::uint32_t Apply(std::uint32_t d, std::uint32_t s) { return d & s; }
};
struct Or {
    static std::uint32_t Apply(std::uint32_t d, std::uint32_t s) { return d | s; }
};

using WriteFn = void (*)(std::uint8_t* row, std::int32_t x0, const std::uint32_t* values,
                         std::int32_t count);

template <int Bpp, class Op>
void Write(std::uint8_t* row, std::int32_t x0, const std::uint32_t* values, std::int32_t count) {
    if constexpr (Bpp == 32) {
        std::uint32_t* dst = reinterpret_cast<std::uint32_t*>(row) + x0;
        if constexpr (std::is_same_v<Op, Copy>) {
            std::memcpy(dst, values, 4 * static_cast<std::size_t>(count));
        } else {
            for (std::int32_t i = 0; i < count; ++i)
                dst[i] = Op::Apply(dst[i], values[i]);
        }
    } else if constexpr (Bpp == 24) {
        std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x0);
        for (std::int32_t i = 0; i < count; ++i, p += 3) {
            const std::uint32_t old =
                p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
            const std::uint32_t v = Op::Apply(old, values[i]);
            p[0] = static_cast<std::uint8_t>(v);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v >> 16);
        }
    } else if constexpr (Bpp == 16) {
        std::uint16_t* dst = reinterpret_cast<std::uint16_t*>(row) + x0;
        for (std::int32_t i = 0; i < count; ++i)
            dst[i] = static_cast<std::uint16_t>(Op::Apply(dst[i], values[i]));
    } else if constexpr (Bpp == 8) {
        std::uint8_t* dst = row + x0;
        for (std::int32_t i = 0; i < count; ++i)
            dst[i] = static_cast<std::uint8_t>(Op::Apply(dst[i], values[i]));
    } else if constexpr (Bpp == 4) {
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t x = x0 + i;
            std::uint8_t& byte = row[x >> 1];
            const int shift = (x & 1) ? 0 : 4;
            const std::uint32_t old = (byte >> shift) & 0x0Fu;
            const std::uint32_t v = Op::Apply(old, values[i]) & 0x0Fu;
            byte = static_cast<std::uint8_t>((byte & ~(0x0F << shift)) | (v << shift));
        }
    } else {
        static_assert(Bpp == 1, "unsupported layout");
        auto writeBit = [row](std::int32_t x, std::uint32_t value) {
            std::uint8_t& byte = row[x >> 3];
            const int shift = 7 - (x & 7);
            const std::uint32_t old = (byte >> shift) & 1u;
            const std::uint32_t v = Op::Apply(old, value) & 1u;
            byte = static_cast<std::uint8_t>((byte & ~(1 << shift)) | (v << shift));
        };
        std::int32_t i = 0;
        std::int32_t x = x0;
        for (; i < count && (x & 7) != 0; ++i, ++x)
            writeBit(x, values[i]);
        // The operations work bit by bit, so whole bytes take eight pixels at once (a GIF
        // frame's mask is made this way, one blit per frame).
        for (; i + 8 <= count; i += 8, x += 8) {
            std::uint32_t bits = 0;
            for (int k = 0; k < 8; ++k)
                bits = (bits << 1) | (values[i + k] & 1u);
            std::uint8_t& byte = row[x >> 3];
            byte = static_cast<std::uint8_t>(Op::Apply(byte, bits));
        }
        for (; i < count; ++i, ++x)
            writeBit(x, values[i]);
    }
}

}  // namespace platform::gdi::rows
