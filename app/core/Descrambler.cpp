#include "app/core/Descrambler.h"

namespace core {

std::string Descramble(const std::string& stored) {
    const std::size_t n = stored.size();
    if (n < 3) return {};  // a key byte is missing

    const auto code = [&](std::size_t i) {
        return static_cast<int>(static_cast<unsigned char>(stored[i]));
    };
    const int key[4] = {code(0), code(1), code(2), code(n - 1)};

    std::string plain;
    if (n > 4) plain.reserve(n - 4);
    // The body runs from the fourth byte up to, and without, the last one.
    for (std::size_t i = 3, k = 0; i + 1 < n; ++i, k = (k + 1) % 4) {
        const int c = code(i) - key[k];
        if (c < 0 || c > 255) return {};  // the whole text fails, not just this byte
        plain += static_cast<char>(c);
    }
    return plain;
}

}  // namespace core
