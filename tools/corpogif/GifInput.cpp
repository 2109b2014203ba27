#include "tools/corpogif/GifInput.h"

#include <cstdio>
#include <deque>

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
    // limit, and the pieces are put together only then, each given back as soon as it is
    // copied, so that the input is held about once, never twice as a growing buffer is while
    // it moves.
    constexpr size_t kPiece = 1 << 20;
    std::deque<std::vector<std::uint8_t>> pieces;
    std::uint64_t total = 0;
    for (;;) {
        std::vector<std::uint8_t> piece(kPiece);
        piece.resize(std::fread(piece.data(), 1, piece.size(), stdin));
        total += piece.size();
        const bool ended = piece.size() < kPiece;
        if (total > limit) {
            why = "standard input " + tooLarge;
            return false;
        }
        pieces.push_back(std::move(piece));
        if (ended) break;
    }
    bytes.reserve(static_cast<size_t>(total));
    for (; !pieces.empty(); pieces.pop_front())
        bytes.insert(bytes.end(), pieces.front().begin(), pieces.front().end());
    if (std::ferror(stdin)) {
        bytes.clear();
        why = "standard input cannot be read";
        return false;
    }
    return true;
}

}  // namespace corpogif
