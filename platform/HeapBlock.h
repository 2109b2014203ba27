#pragma once
// Blocks from the C library's allocator, aligned to 64 bytes, for the large-block functions of
// every system: they serve every block below a large page.

#include <cstddef>

namespace platform {

// `bytes` from the allocator, zeroed when `zero` says so; null when they cannot be had.
void* AllocateFromHeap(std::size_t bytes, bool zero);
// Gives back a block from AllocateFromHeap.
void FreeToHeap(void* block);

}  // namespace platform
