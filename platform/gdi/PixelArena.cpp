#include "platform/gdi/PixelArena.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/LargeBlock.h"

namespace platform::gdi {

struct PixelArena::Block {
    std::atomic<std::size_t> holders;
    std::size_t size;
    bool largePages;
    bool zeroed;  // what is not given out yet is all zeros
};

namespace {

constexpr std::size_t kAlignment = 16;
// The block's header, rounded so that what follows it is aligned.
constexpr std::size_t kHeader =
    (sizeof(PixelArena::Block) + kAlignment - 1) / kAlignment * kAlignment;
// Growth stops doubling here: past it, blocks are as large as this or as the bitmap.
constexpr std::size_t kLargestGrowth = std::size_t{64} << 20;
constexpr std::size_t kWholePagesFrom = std::size_t{1} << 20;

std::size_t Aligned(std::size_t bytes) {
    return (bytes + kAlignment - 1) / kAlignment * kAlignment;
}

}  // namespace

PixelArena::~PixelArena() {
    if (current_ != nullptr) Release(current_);
}

std::size_t PixelArena::Footprint(std::size_t bytes) {
    return Aligned(bytes);
}

bool PixelArena::Reserve(std::size_t bytes, std::size_t expected) {
    if (bytes == 0 || bytes > SIZE_MAX / 4) return false;
    const std::size_t wanted = Aligned(bytes);
    if (current_ != nullptr && current_->size - used_ >= wanted) return true;
    // Where the caller knows what is still to come (an animation's frames), the block takes
    // all of it at once, up to kLargestGrowth: blocks grown by doubling from the first
    // frame's size would leave the first few below a large page, in the C library's heap,
    // where a process that loads again and again has their pages handed back and faulted in
    // anew at every load. Otherwise the first block fits what the first frame asks for, and
    // later ones grow, in whole large pages once past a megabyte. The first block is rounded
    // up to whole large pages when that adds little.
    std::size_t size = 0;
    if (expected > 0 && expected < SIZE_MAX / 4) {
        size = std::max(kHeader + wanted, std::min(kHeader + Aligned(expected), kLargestGrowth));
    } else {
        size = std::max(kHeader + wanted, std::min(2 * lastSize_, kLargestGrowth));
        if (largePages_ && current_ != nullptr && size >= kWholePagesFrom)
            size = WholeLargePages(size);
    }
    if (largePages_ && current_ == nullptr) size = LargeBlockSize(size);
    bool zeroed = true;
    void* memory = TakeLargeBlock(size, largePages_, zeroed);
    if (memory == nullptr) return false;
    Block* block = new (memory) Block{{1}, size, largePages_, zeroed};
    if (current_ != nullptr) Release(current_);
    current_ = block;
    used_ = kHeader;
    lastSize_ = size;
    return true;
}

bool PixelArena::FreshMemoryZeroed() const {
    return current_ != nullptr && current_->zeroed;
}

void* PixelArena::Allocate(std::size_t bytes, Block*& from, PixelStart start) {
    if (!Reserve(bytes)) return nullptr;
    const std::size_t wanted = Aligned(bytes);
    void* carved = reinterpret_cast<unsigned char*>(current_) + used_;
    // A block an earlier load used holds its pixels: the colour bitmaps of a reload are
    // overwritten whole and skip the pass that the system's zeroing would have made.
    if (start == PixelStart::Zeroed && !current_->zeroed) ZeroBlockRange(carved, bytes);
    used_ += wanted;
    current_->holders.fetch_add(1, std::memory_order_relaxed);
    from = current_;
    return carved;
}

void PixelArena::Release(Block* block) {
    if (block == nullptr) return;
    if (block->holders.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    const std::size_t size = block->size;
    const bool largePages = block->largePages;
    block->~Block();
    FreeLargeBlock(block, size, largePages);
}

}  // namespace platform::gdi
