#include "platform/LargeBlock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/HeapBlock.h"

namespace platform {

// What every system shares: blocks from the C library's allocator (TakeLargeBlock is in
// LargeBlockPosix.cpp or LargeBlockWindows.cpp).
void* AllocateFromHeap(std::size_t bytes, bool zero) {
    constexpr std::size_t kAlignment = 64;
    void* memory = zero ? std::calloc(bytes + kAlignment, 1) : std::malloc(bytes + kAlignment);
    auto* raw = static_cast<unsigned char*>(memory);
    if (raw == nullptr) return nullptr;
    // The offset to the aligned start, 1 to 64, sits in the byte before it.
    const std::size_t offset = kAlignment - reinterpret_cast<std::uintptr_t>(raw) % kAlignment;
    unsigned char* block = raw + offset;
    block[-1] = static_cast<unsigned char>(offset);
    return block;
}

void FreeToHeap(void* block) {
    auto* aligned = static_cast<unsigned char*>(block);
    std::free(aligned - aligned[-1]);
}

}  // namespace platform
