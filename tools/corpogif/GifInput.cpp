#include "tools/corpogif/GifInput.h"

#include <algorithm>
#include <cstdio>

#include "gif/GifReader.h"
#include "platform/WholeFile.h"

namespace corpogif {

std::uint64_t MaxInputBytes() {
    return gif::GifLoadLimits{}.inputBytes;
}

bool ReadGifInput(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& why) {
    const std::uint64_t limit = MaxInputBytes();
    const std::string tooLarge =
        "holds more than " + std::to_string(limit) + " bytes, the most a GIF is read from";
    bytes.clear();
    if (path != "-") {
        if (platform::ReadWholeFile(path, bytes, limit, &why)) return true;
        if (why == "is too large") why = tooLarge;
        return false;
    }
    // Standard input has no size to ask for: it is read in pieces until it ends or passes the
    // limit, by one byte so that an input of exactly the limit is still taken.
    constexpr size_t kPiece = 1 << 16;
    for (;;) {
        const size_t have = bytes.size();
        const size_t want = static_cast<size_t>(
            std::min<std::uint64_t>(kPiece, limit + 1 - static_cast<std::uint64_t>(have)));
        // Grown by doubling, but never past the limit's one byte more.
        if (have + want > bytes.capacity())
            bytes.reserve(static_cast<size_t>(std::min<std::uint64_t>(
                std::max<std::uint64_t>(2 * std::uint64_t{bytes.capacity()}, have + want),
                limit + 1)));
        bytes.resize(have + want);
        const size_t got = std::fread(bytes.data() + have, 1, want, stdin);
        bytes.resize(have + got);
        if (bytes.size() > limit) {
            bytes.clear();
            bytes.shrink_to_fit();
            why = "standard input " + tooLarge;
            return false;
        }
        if (got < want) break;
    }
    if (std::ferror(stdin)) {
        bytes.clear();
        why = "standard input cannot be read";
        return false;
    }
    return true;
}

}  // namespace corpogif
