#pragma once
// Blocks of memory taken straight from the system for bulk storage that lives as long as a
// loaded image (its pixels). A block comes, where the system offers it, backed by large
// pages: a program that loads one big image then takes one fault for each 2 MiB it touches
// instead of one for each 4 KiB page.
//
// A program that loads again and again (a viewer going through files, a reload) would map a
// block, have the system zero it page by page, and unmap it again at every load. So a few
// freed blocks with large pages are kept, and a later request of the same size takes one of
// them back as it is, without zeroing. Kept blocks wait at most until a later load that does
// not take them ends (see LargeBlockLoad): the memory a process holds between loads stays
// bounded, and a load never holds kept blocks besides its own.

#include <cstddef>
#include <cstdint>

namespace platform {

// The size worth asking for when `bytes` are needed: `bytes`, or rounded up to whole large
// pages where the last one would be at least half filled, so that the block's end gets a
// large page too (a 1920 x 1080 frame of 8-bit pixels is just short of 2 MiB).
std::size_t LargeBlockSize(std::size_t bytes);
// `bytes` rounded up to whole large pages, for blocks that will be filled as they go.
std::size_t WholeLargePages(std::size_t bytes);

// A block of `bytes` (more than 0), aligned to 64 bytes, advised as wanting large pages
// unless `largePages` is false (for memory that may stay mostly untouched); null when the
// memory cannot be had. It may hold what its memory held before (a kept block, or the C
// library's memory for a block with large pages below one large page); `zeroed` says whether
// it is all zeros, for callers that zero only what they need zeroed.
void* TakeLargeBlock(std::size_t bytes, bool largePages, bool& zeroed);
// Gives back a block from TakeLargeBlock, with the size and the kind
// of pages it was asked for. A block with large pages may be kept for reuse.
void FreeLargeBlock(void* block, std::size_t bytes, bool largePages = true);

// Zeroes `bytes` at `at`, inside a block from TakeLargeBlock. Where the system can, whole pages
// inside the range are handed back instead, to come back zeroed when next touched: a large
// range then costs neither the time to write it nor memory until it is written.
void ZeroBlockRange(void* at, std::size_t bytes);

// The span of one load, for the kept blocks: blocks kept before it began and not taken
// by the time it ends are given back to the system then.
class LargeBlockLoad {
  public:
    LargeBlockLoad();
    ~LargeBlockLoad();
    LargeBlockLoad(const LargeBlockLoad&) = delete;
    LargeBlockLoad& operator=(const LargeBlockLoad&) = delete;

  private:
    std::uint64_t began_;
};

// Whether this system keeps freed blocks for reuse, and how many it keeps at present; for
// tests.
bool LargeBlocksAreKept();
std::size_t KeptLargeBlocks();

}  // namespace platform
