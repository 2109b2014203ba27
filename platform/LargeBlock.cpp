#include "platform/LargeBlock.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace platform {

namespace {

#if defined(__linux__)
constexpr std::size_t kPage = 4096;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t WholePages(std::size_t bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}
#endif

// The C library's allocator: zeroed memory at the alignment asked for. It serves every block
// below a large page, on every system: a mapping of its own for a small block costs two
// system calls and a fault per page on every load, where the allocator reuses memory that a
// process which loads again and again already has.
void* AllocateFromHeap(std::size_t bytes) {
    constexpr std::size_t kAlignment = 64;
    auto* raw = static_cast<unsigned char*>(std::calloc(bytes + kAlignment, 1));
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

bool FromHeap(std::size_t bytes) {
#if defined(__linux__)
    return WholePages(bytes) < kLargePage;
#else
    (void)bytes;
    return true;
#endif
}

}  // namespace

#if defined(__linux__)

// Blocks of a large page or more are mapped on their own. Those that want large pages
// start on a large-page boundary and are advised so: the system maps every whole large page
// in them at the first touch (the part past the last boundary gets small pages, so nothing
// is held beyond the block). The advice does not change how the process's other memory is
// handled. Those that do not (memory that may stay mostly untouched) get small pages that
// the system supplies only where they are written.
void* AllocateLargeBlock(std::size_t bytes, bool largePages) {
    if (bytes == 0) return nullptr;
    if (FromHeap(bytes)) return AllocateFromHeap(bytes);
    const std::size_t length = WholePages(bytes);
    if (!largePages) {
        void* block =
            mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return block == MAP_FAILED ? nullptr : block;
    }
    // Room to slide to the next boundary; the slack on either side is given back.
    void* mapped = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start) munmap(mapped, aligned - start);
    const std::size_t after = start + length + kLargePage - (aligned + length);
    if (after > 0) munmap(reinterpret_cast<void*>(aligned + length), after);
    auto* block = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
    madvise(block, length, MADV_HUGEPAGE);
#endif
    return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) {
    if (block == nullptr) return;
    if (FromHeap(bytes)) {
        FreeToHeap(block);
    } else {
        munmap(block, WholePages(bytes));
    }
}

std::size_t WholeLargePages(std::size_t bytes) {
    if (bytes > SIZE_MAX - kLargePage) return bytes;
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

std::size_t LargeBlockSize(std::size_t bytes) {
    const std::size_t whole = WholeLargePages(bytes);
    return whole - bytes <= whole / 4 ? whole : bytes;
}

#else

void* AllocateLargeBlock(std::size_t bytes, bool) {
    if (bytes == 0) return nullptr;
    return AllocateFromHeap(bytes);
}

void FreeLargeBlock(void* block, std::size_t) {
    if (block != nullptr) FreeToHeap(block);
}

std::size_t LargeBlockSize(std::size_t bytes) {
    return bytes;
}

std::size_t WholeLargePages(std::size_t bytes) {
    return bytes;
}

#endif

}  // namespace platform
