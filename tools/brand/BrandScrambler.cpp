#include "tools/brand/BrandScrambler.h"

#include <algorithm>

namespace brand {
namespace {

constexpr int kPrintableFirst = 33;  // "!"
constexpr int kPrintableLast = 126;  // "~"

// A key for the plain bytes it shifts: the largest allowed key is 255 minus the largest
// of them. Printable when that leaves room, else any smaller code down to 0 (which always
// fits, since plain codes are at most 255).
int ChooseKey(int largestPlain, std::mt19937& random) {
    const int highest = 255 - largestPlain;
    if (highest >= kPrintableFirst) {
        std::uniform_int_distribution<int> pick(kPrintableFirst, std::min(highest, kPrintableLast));
        return pick(random);
    }
    std::uniform_int_distribution<int> pick(0, highest);
    return pick(random);
}

}  // namespace

std::string Scramble(const std::string& plain, std::mt19937& random) {
    // Key i shifts body bytes i, i + 4, i + 8, ...
    int largest[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < plain.size(); ++i) {
        largest[i % 4] =
            std::max(largest[i % 4], static_cast<int>(static_cast<unsigned char>(plain[i])));
    }
    int key[4];
    for (int k = 0; k < 4; ++k)
        key[k] = ChooseKey(largest[k], random);

    std::string stored;
    stored.reserve(plain.size() + 4);
    for (int k = 0; k < 3; ++k)
        stored += static_cast<char>(key[k]);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        stored += static_cast<char>(static_cast<unsigned char>(plain[i]) + key[i % 4]);
    }
    stored += static_cast<char>(key[3]);
    return stored;
}

}  // namespace brand
