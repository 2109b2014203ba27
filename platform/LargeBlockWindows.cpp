// Large blocks on Windows: every block comes from the C library's allocator, with no large
// pages and nothing kept between loads.

#include <cstring>

#include "platform/HeapBlock.h"
#include "platform/LargeBlock.h"

namespace platform {

void* TakeLargeBlock(std::size_t bytes, bool largePages, bool& zeroed) {
    zeroed = !largePages;
    if (bytes == 0) return nullptr;
    return AllocateFromHeap(bytes, zeroed);
}

void FreeLargeBlock(void* block, std::size_t, bool) {
    if (block != nullptr) FreeToHeap(block);
}

void ZeroBlockRange(void* at, std::size_t bytes) {
    std::memset(at, 0, bytes);
}

LargeBlockLoad::LargeBlockLoad() : began_(0) {}

LargeBlockLoad::~LargeBlockLoad() = default;

bool LargeBlocksAreKept() {
    return false;
}

std::size_t KeptLargeBlocks() {
    return 0;
}

std::size_t LargeBlockSize(std::size_t bytes) {
    return bytes;
}

std::size_t WholeLargePages(std::size_t bytes) {
    return bytes;
}

}  // namespace platform
