#include "platform/LargeBlock.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace platform {

#if defined(__linux__)

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t WholePages(std::size_t bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}

}  // namespace

// Blocks of a large page or more start on a large-page boundary and are advised as wanting
// large pages: the system maps every whole large page in them at the first touch (the part
// past the last boundary gets small pages, so nothing is held beyond the block). The
// advice does not change how the process's other memory is handled.
void* AllocateLargeBlock(std::size_t bytes, bool largePages) {
    if (bytes == 0) return nullptr;
    const std::size_t length = WholePages(bytes);
    if (length < kLargePage || !largePages) {
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
    if (block != nullptr) munmap(block, WholePages(bytes));
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

// Elsewhere the C library's allocator serves: zeroed memory, at the alignment asked for.
void* AllocateLargeBlock(std::size_t bytes, bool) {
    if (bytes == 0) return nullptr;
    constexpr std::size_t kAlignment = 64;
    auto* raw = static_cast<unsigned char*>(std::calloc(bytes + kAlignment, 1));
    if (raw == nullptr) return nullptr;
    // The offset to the aligned start, 1 to 64, sits in the byte before it.
    const std::size_t offset = kAlignment - reinterpret_cast<std::uintptr_t>(raw) % kAlignment;
    unsigned char* block = raw + offset;
    block[-1] = static_cast<unsigned char>(offset);
    return block;
}

void FreeLargeBlock(void* block, std::size_t) {
    if (block == nullptr) return;
    auto* aligned = static_cast<unsigned char*>(block);
    std::free(aligned - aligned[-1]);
}

std::size_t LargeBlockSize(std::size_t bytes) {
    return bytes;
}

std::size_t WholeLargePages(std::size_t bytes) {
    return bytes;
}

#endif

}  // namespace platform
