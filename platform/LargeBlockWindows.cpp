// Large blocks on Windows: those of a megabyte or more are committed on their own, and the
// system supplies their pages zeroed as they are first touched, so that pixels a frame's data
// never reaches cost nothing; smaller ones come from the C library's allocator. Nothing is
// kept between loads.

#include <windows.h>

#include <cstring>

#include "platform/HeapBlock.h"
#include "platform/LargeBlock.h"

namespace platform {

namespace {

constexpr std::size_t kCommittedFrom = std::size_t{1} << 20;

}  // namespace

void* TakeLargeBlock(std::size_t bytes, bool largePages, bool& zeroed) {
    zeroed = true;
    if (bytes == 0) return nullptr;
    if (bytes >= kCommittedFrom)
        return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    zeroed = !largePages;
    return AllocateFromHeap(bytes, zeroed);
}

void FreeLargeBlock(void* block, std::size_t bytes, bool) {
    if (block == nullptr) return;
    if (bytes >= kCommittedFrom)
        VirtualFree(block, 0, MEM_RELEASE);
    else
        FreeToHeap(block);
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
