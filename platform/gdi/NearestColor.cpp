#include "platform/gdi/NearestColor.h"

namespace platform::gdi {

namespace {
constexpr int kCacheBits = 12;
constexpr std::uint64_t kFilled = std::uint64_t{1} << 40;
}  // namespace

NearestColor::NearestColor(const RGBQUAD* table, int count) : cache_(1u << kCacheBits, 0) {
    entries_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entries_.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue});
}

std::uint32_t NearestColor::Search(Rgb32 rgb) const {
    const int red = static_cast<int>((rgb >> 16) & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    std::uint32_t best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const int dr = entries_[i].red - red;
        const int dg = entries_[i].green - green;
        const int db = entries_[i].blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {  // strictly less: the lowest index wins a tie
            bestDistance = distance;
            best = static_cast<std::uint32_t>(i);
            if (distance == 0) break;
        }
    }
    return best;
}

std::uint32_t NearestColor::IndexOf(Rgb32 rgb) {
    rgb &= 0xFFFFFF;
    const std::uint32_t slot = (rgb * 2654435761u) >> (32 - kCacheBits);
    const std::uint64_t cached = cache_[slot];
    if ((cached & kFilled) != 0 && ((cached >> 8) & 0xFFFFFF) == rgb)
        return static_cast<std::uint32_t>(cached & 0xFF);
    const std::uint32_t index = Search(rgb);
    cache_[slot] = kFilled | (std::uint64_t{rgb} << 8) | index;
    return index;
}

}  // namespace platform::gdi
