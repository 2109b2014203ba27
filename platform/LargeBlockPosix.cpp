// Large blocks on Linux and other Posix systems: mapped on their own, with large pages where
// the system has them, a few freed ones kept for the next load.

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "platform/HeapBlock.h"
#include "platform/LargeBlock.h"

namespace platform {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t WholePages(std::size_t bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}

// Below one large page, blocks come from the C library's allocator: a mapping of its own for
// a small block costs two system calls and a fault per page on every load, where the
// allocator reuses memory that a process which loads again and again already has.
bool FromHeap(std::size_t bytes) {
    return WholePages(bytes) < kLargePage;
}

// Blocks of a large page or more are mapped on their own. Those that want large pages
// start on a large-page boundary and are advised so: the system maps every whole large page
// in them at the first touch (the part past the last boundary gets small pages, so nothing
// is held beyond the block). The advice does not change how the process's other memory is
// handled. Those that do not (memory that may stay mostly untouched) get small pages that
// the system supplies only where they are written.
void* MapLargeBlock(std::size_t bytes, bool largePages) {
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

// Freed blocks with large pages, kept for a request of the same length. Three serve an
// animation whose frames fill blocks of 2, 4 and 8 MiB; the oldest makes room.
class KeptBlocks {
  public:
    static KeptBlocks& Instance() {
        // Never destroyed: blocks may be freed while the program exits.
        static KeptBlocks* const kept = new KeptBlocks();
        return *kept;
    }

    void* Take(std::size_t length) {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (Kept& kept : kept_) {
            if (kept.block == nullptr || kept.length != length) continue;
            void* block = kept.block;
            kept = Kept{};
            count_.fetch_sub(1, std::memory_order_relaxed);
            return block;
        }
        return nullptr;
    }

    void Keep(void* block, std::size_t length) {
        Kept evicted;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            Kept* slot = &kept_[0];
            for (Kept& kept : kept_) {
                if (kept.block == nullptr) {
                    slot = &kept;
                    break;
                }
                if (kept.since < slot->since) slot = &kept;
            }
            evicted = *slot;
            if (evicted.block == nullptr) count_.fetch_add(1, std::memory_order_relaxed);
            *slot = Kept{block, length, clock_.load(std::memory_order_relaxed)};
        }
        if (evicted.block != nullptr) munmap(evicted.block, evicted.length);
    }

    std::uint64_t Begin() {
        const std::uint64_t began = clock_.fetch_add(1, std::memory_order_relaxed) + 1;
        latestLoad_.store(began, std::memory_order_relaxed);
        return began;
    }

    // Gives back the blocks kept before the latest load began: called when that load maps a
    // block of its own, since they could not serve it, and held on, they would add to what
    // it takes.
    void EndEarlier() { End(latestLoad_.load(std::memory_order_relaxed)); }

    // Gives back the blocks kept before `began`.
    void End(std::uint64_t began) {
        // Most loads in a process keep nothing: a small image's ends here without a lock.
        if (count_.load(std::memory_order_relaxed) == 0) return;
        Kept released[kMostKept];
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (std::size_t i = 0; i < kMostKept; ++i) {
                if (kept_[i].block == nullptr || kept_[i].since >= began) continue;
                released[i] = kept_[i];
                kept_[i] = Kept{};
                count_.fetch_sub(1, std::memory_order_relaxed);
            }
        }
        for (const Kept& kept : released)
            if (kept.block != nullptr) munmap(kept.block, kept.length);
    }

    std::size_t Count() { return count_.load(std::memory_order_relaxed); }

  private:
    static constexpr std::size_t kMostKept = 3;
    struct Kept {
        void* block = nullptr;
        std::size_t length = 0;
        std::uint64_t since = 0;  // the clock when it was freed
    };
    std::mutex mutex_;
    Kept kept_[kMostKept];
    std::atomic<std::size_t> count_{0};  // kept blocks, changed under the lock
    std::atomic<std::uint64_t> clock_{0};
    std::atomic<std::uint64_t> latestLoad_{0};
};

}  // namespace

// Blocks with large pages below one large page come from the C library unzeroed; the
// caller zeroes what it needs. A kept block is taken only for a request of its own length, so that
// it is given back whole, and a load never holds more than it would with blocks of its own.
void* TakeLargeBlock(std::size_t bytes, bool largePages, bool& zeroed) {
    zeroed = true;
    if (bytes == 0) return nullptr;
    if (FromHeap(bytes)) {
        // Memory the allocator has used before would need a pass to zero it; blocks that may
        // stay mostly untouched have it zeroed still, as calloc can skip that for memory
        // that is new.
        zeroed = !largePages;
        return AllocateFromHeap(bytes, zeroed);
    }
    if (largePages) {
        if (void* kept = KeptBlocks::Instance().Take(WholePages(bytes))) {
            zeroed = false;
            return kept;
        }
    }
    KeptBlocks::Instance().EndEarlier();
    return MapLargeBlock(bytes, largePages);
}

void FreeLargeBlock(void* block, std::size_t bytes, bool largePages) {
    if (block == nullptr) return;
    if (FromHeap(bytes)) {
        FreeToHeap(block);
    } else if (largePages) {
        KeptBlocks::Instance().Keep(block, WholePages(bytes));
    } else {
        munmap(block, WholePages(bytes));
    }
}

void ZeroBlockRange(void* at, std::size_t bytes) {
    auto* const begin = static_cast<unsigned char*>(at);
    // Below a large page, writing costs less than the system call and the faults that follow
    // when the range is written after all.
    if (bytes < kLargePage) {
        std::memset(begin, 0, bytes);
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t last = (start + bytes) & ~(kPage - 1);
    std::memset(begin, 0, first - start);
    // Private anonymous pages handed back read as zeros from then on.
    if (madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) != 0)
        std::memset(reinterpret_cast<void*>(first), 0, last - first);
    std::memset(reinterpret_cast<void*>(last), 0, start + bytes - last);
}

LargeBlockLoad::LargeBlockLoad() : began_(KeptBlocks::Instance().Begin()) {}

LargeBlockLoad::~LargeBlockLoad() {
    KeptBlocks::Instance().End(began_);
}

bool LargeBlocksAreKept() {
    return true;
}

std::size_t KeptLargeBlocks() {
    return KeptBlocks::Instance().Count();
}

std::size_t WholeLargePages(std::size_t bytes) {
    if (bytes > SIZE_MAX - kLargePage) return bytes;
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

std::size_t LargeBlockSize(std::size_t bytes) {
    // Here the system zeroes a large page in about the time it takes to fault in 90 small
    // ones (360 KiB): a last large page half filled or more is faster whole, and adds at
    // most 1 MiB to what the process holds.
    const std::size_t whole = WholeLargePages(bytes);
    return whole - bytes <= kLargePage / 2 ? whole : bytes;
}

}  // namespace platform
