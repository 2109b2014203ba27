#include "gif/SubBlockInput.h"

#include <algorithm>
#include <cstring>

#include "gif/GifFormat.h"

namespace gif {

namespace {

// A sub-block's payload, 1 to 255 bytes, in pieces of 64 bytes, the last overlapping the
// one before: a copy of a length not known in advance would start up a string instruction,
// which takes longer to start than to move this much.
void CopyPayload(std::uint8_t* out, const std::uint8_t* in, size_t length) {
    constexpr size_t kPiece = 64;
    if (length < kPiece) {
        std::memcpy(out, in, length);
        return;
    }
    for (size_t at = 0; at + kPiece <= length; at += kPiece)
        std::memcpy(out + at, in + at, kPiece);
    std::memcpy(out + length - kPiece, in + length - kPiece, kPiece);
}

}  // namespace

std::int64_t ChainEnd(const std::uint8_t* stream, size_t size, std::int64_t at) {
    for (; at >= 0 && static_cast<std::uint64_t>(at) < size && stream[at] != kBlockTerminator;
         at += static_cast<std::int64_t>(stream[at]) + 1)
        PrefetchChainAhead(stream, at);
    return at;
}

SubBlockInput::SubBlockInput(const std::uint8_t* stream, size_t size, std::int64_t at)
    : stream_(stream), size_(stream ? size : 0), at_(at) {}

bool SubBlockInput::NextBlock() {
    if (at_ < 0 || static_cast<std::uint64_t>(at_) >= size_) return false;
    const std::uint8_t length = stream_[at_];
    if (length == kBlockTerminator) return false;
    PrefetchChainAhead(stream_, at_);
    const size_t start = static_cast<size_t>(at_) + 1;
    from_ = stream_ + std::min(start, size_);
    left_ = std::min<size_t>(length, size_ - std::min(start, size_));
    at_ += static_cast<std::int64_t>(length) + 1;
    return true;
}

size_t SubBlockInput::Read(std::uint8_t* into, size_t room) {
    size_t filled = 0;
    while (filled < room) {
        if (left_ == 0 && !NextBlock()) break;
        const size_t count = std::min(left_, room - filled);
        CopyPayload(into + filled, from_, count);
        filled += count;
        from_ += count;
        left_ -= count;
    }
    return filled;
}

std::int64_t SubBlockInput::End() {
    left_ = 0;
    at_ = ChainEnd(stream_, size_, at_);
    return at_;
}

}  // namespace gif
