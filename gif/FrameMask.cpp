#include "gif/FrameMask.h"

#include <algorithm>

#include "dib/Dib.h"
#include "gif/LittleEndian.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CORPO_MASK_SSE2 1
#endif

// Processors with AVX2 (nearly every x86 one made since 2013) take 32 pixels a step; the
// program is built for those without, and asks the processor which it is.
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define CORPO_MASK_AVX2 1
#endif

namespace gif {

namespace {

// The index of the two-entry colour table's entry nearest to grey level `level`, the lower
// index on ties (as every conversion into a bitmap with a colour table chooses).
std::uint8_t NearestEntry(const platform::gdi::RGBQUAD* table, int level) {
    auto distance = [&](int entry) {
        const platform::gdi::RGBQUAD& colour = table[entry];
        int sum = 0;
        for (const int channel : {colour.rgbBlue, colour.rgbGreen, colour.rgbRed})
            sum += (channel - level) * (channel - level);
        return sum;
    };
    return distance(1) < distance(0) ? 1 : 0;
}

// Eight pixels at once, one bit each, the leftmost pixel in the top bit: 1 where the index
// is the one every byte of `spread` holds. A byte equals it when the byte of the exclusive
// or is zero, which shows as a clear top bit once the low seven bits are carried into it.
inline std::uint8_t MatchBits(const std::uint8_t* pixels, std::uint64_t spread) {
    const std::uint64_t word = LoadLittleEndian64(pixels);  // the leftmost pixel is the lowest byte
    constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t difference = word ^ spread;
    const std::uint64_t differs = ((difference & kLowSeven) + kLowSeven) | difference;
    const std::uint64_t same = (~differs & ~kLowSeven) >> 7;  // bit 0 of each equal byte
    // Gathers bit 0 of byte k into bit 7 - k of the top byte.
    return static_cast<std::uint8_t>((same * 0x8040201008040201ull) >> 56);
}

#if CORPO_MASK_SSE2
// Each byte with its bits in the opposite order: the compare below gives the leftmost
// pixel in the lowest bit, a mask row wants it in the top bit.
struct ReversedBytes {
    std::uint8_t of[256];
    constexpr ReversedBytes() : of() {
        for (int value = 0; value < 256; ++value) {
            int reversed = 0;
            for (int bit = 0; bit < 8; ++bit)
                reversed |= ((value >> bit) & 1) << (7 - bit);
            of[value] = static_cast<std::uint8_t>(reversed);
        }
    }
};
constexpr ReversedBytes kReversed;
#endif

// How a mask's bits are made from the indices.
struct MaskBits {
    std::uint8_t transparent;  // the index that is transparent
    std::uint8_t opaque;       // the bit of an opaque pixel, 0 or 1
    std::uint8_t flip;         // 1 when a transparent pixel's bit differs from an opaque one's
};

// The mask bits of eight pixels from their matches (1 where the index is the transparent
// one). kPlain is the usual mask, whose transparent bit is 1 and opaque bit 0; other colour
// tables turn the bits around.
template <bool kPlain>
inline std::uint8_t Finish(std::uint8_t matches, const MaskBits& bits) {
    if (kPlain) return matches;
    return static_cast<std::uint8_t>((bits.opaque ? 0xFF : 0x00) ^ (bits.flip ? matches : 0));
}

// Writes the mask bits of one row.
template <bool kPlain>
void BuildRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width,
              const std::uint8_t* sourceEnd, const MaskBits& bits) {
    const std::uint64_t spread = 0x0101010101010101ull * bits.transparent;
    std::int32_t x = 0;
#if CORPO_MASK_SSE2
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(bits.transparent));
    for (; x + 16 <= width; x += 16, in += 16, out += 2) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const int same = _mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, wanted));
        out[0] = Finish<kPlain>(kReversed.of[same & 0xFF], bits);
        out[1] = Finish<kPlain>(kReversed.of[same >> 8], bits);
    }
#endif
    for (; x + 8 <= width; x += 8, in += 8)
        *out++ = Finish<kPlain>(MatchBits(in, spread), bits);
    if (x == width) return;
    // The row ends inside a byte: the leftmost pixels are its top bits, the others keep
    // what the mask held.
    const int count = width - x;
    std::uint8_t matches = 0;
    // Eight bytes from here are the pixels, then the row's padding or the next row: anything
    // but the end of the bitmap. The bits they give past the row are dropped.
    if (in + 8 <= sourceEnd) {
        matches = MatchBits(in, spread);
    } else {
        for (int k = 0; k < count; ++k)
            matches |= static_cast<std::uint8_t>((in[k] == bits.transparent) << (7 - k));
    }
    const auto kept = static_cast<std::uint8_t>(0xFF >> count);
    *out = static_cast<std::uint8_t>((*out & kept) | (Finish<kPlain>(matches, bits) & ~kept));
}

#if CORPO_MASK_AVX2
bool HasAvx2() {
    static const bool kHas = __builtin_cpu_supports("avx2");
    return kHas;
}

// The rows of a usual mask (transparent 1, opaque 0), 32 pixels a step: each eight pixels'
// bytes are turned around, so that the compare's bits come out in the mask's order, the
// leftmost pixel in a byte's top bit. The rest of each row goes as BuildRow does it.
__attribute__((target("avx2"))) void BuildPlainRowsWide(const platform::gdi::Bitmap& source,
                                                        platform::gdi::Bitmap& target,
                                                        std::int32_t width, std::int32_t height,
                                                        const std::uint8_t* sourceEnd,
                                                        const MaskBits& bits) {
    const __m256i wanted = _mm256_set1_epi8(static_cast<char>(bits.transparent));
    const __m256i turned = _mm256_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8, 7,
                                            6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* in = source.Row(y);
        std::uint8_t* out = target.Row(y);
        std::int32_t x = 0;
        for (; x + 32 <= width; x += 32, in += 32, out += 4) {
            const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
            const __m256i same = _mm256_cmpeq_epi8(_mm256_shuffle_epi8(pixels, turned), wanted);
            const auto matches = static_cast<std::uint32_t>(_mm256_movemask_epi8(same));
            for (int k = 0; k < 4; ++k)
                out[k] = static_cast<std::uint8_t>(matches >> (8 * k));
        }
        // The rest of the row is plain SSE code, which runs slowly while the upper halves
        // of the AVX registers hold anything.
        _mm256_zeroupper();
        BuildRow<true>(in, out, width - x, sourceEnd, bits);
    }
}
#endif

}  // namespace

void SetMaskColours(dib::Dib& mask) {
    const auto* table = reinterpret_cast<const std::uint8_t*>(platform::gdi::kMonochromeColours);
    mask.SetPalette(table, sizeof platform::gdi::kMonochromeColours);
}

void BuildFrameMask(const dib::Dib& colours, std::uint8_t transparentIndex, dib::Dib& mask,
                    std::int32_t rows, MaskInstructions instructions) {
    if (colours.hDIB() == nullptr || mask.hDIB() == nullptr) return;
    if (colours.bpp() != 8 || mask.bpp() != 1) return;
    const platform::gdi::Bitmap& source = *colours.hDIB();
    platform::gdi::Bitmap& target = *mask.hDIB();
    const platform::gdi::RGBQUAD* table = target.ColorTable();
    MaskBits bits;
    bits.transparent = transparentIndex;
    bits.opaque = NearestEntry(table, 0);
    bits.flip = bits.opaque ^ NearestEntry(table, 255);

    const std::int32_t width = std::min(colours.Width(), mask.Width());
    const std::int32_t height = std::min({colours.Height(), mask.Height(), rows});
    const std::uint8_t* const sourceEnd = source.Bits() + source.ByteSize();
    const bool plain = bits.opaque == 0 && bits.flip == 1;
#if CORPO_MASK_AVX2
    if (plain && width >= 32 && instructions == MaskInstructions::Widest && HasAvx2()) {
        BuildPlainRowsWide(source, target, width, height, sourceEnd, bits);
        return;
    }
#else
    (void)instructions;
#endif
    for (std::int32_t y = 0; y < height; ++y) {
        if (plain)
            BuildRow<true>(source.Row(y), target.Row(y), width, sourceEnd, bits);
        else
            BuildRow<false>(source.Row(y), target.Row(y), width, sourceEnd, bits);
    }
}

}  // namespace gif
