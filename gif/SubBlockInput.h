#pragma once
// A chain of GIF data sub-blocks (a size byte, then that many bytes, until a size of 0) read
// as one run of bytes: the payloads one after another, without their size bytes. A chain cut
// by the end of the stream gives the bytes before the cut.

#include <cstddef>
#include <cstdint>

#include "gif/LzwDecoder.h"

namespace gif {

// Image data comes in sub-blocks of 255 bytes but for the last: a walk along a chain reads
// one byte every 256, each behind the one before, and would wait for memory at every step
// of a file larger than the caches. Asking, at each step, for the bytes a few steps ahead
// keeps several reads on their way.
inline void PrefetchChainAhead(const std::uint8_t* stream, std::int64_t at) {
#if defined(__GNUC__) || defined(__clang__)
    // A prefetch never faults, so the address may lie past the stream's end; it is made as
    // a number, and the compiler keeps a prefetch only when no test guards it.
    constexpr std::int64_t kAhead = 8 * 256;
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(stream) +
                                                     static_cast<std::uintptr_t>(at + kAhead)));
#else
    (void)stream;
    (void)at;
#endif
}

// Where the chain of sub-blocks whose first size byte is at `at` ends: its terminator, or a
// position at or past the stream's end for a chain cut short (so the chain is whole exactly
// when the position is inside the stream).
std::int64_t ChainEnd(const std::uint8_t* stream, size_t size, std::int64_t at);

class SubBlockInput final : public LzwDecoder::Input {
  public:
    // The chain whose first size byte is at `at` of the stream.
    SubBlockInput(const std::uint8_t* stream, size_t size, std::int64_t at);

    size_t Read(std::uint8_t* into, size_t room) override;
    // Passes over the rest of the chain; returns its ChainEnd.
    std::int64_t End();

  private:
    bool NextBlock();

    const std::uint8_t* const stream_;
    const size_t size_;
    std::int64_t at_;                     // the size byte of the next sub-block
    const std::uint8_t* from_ = nullptr;  // the current sub-block's bytes not yet read
    size_t left_ = 0;
};

}  // namespace gif
