#pragma once
// Blocks of memory taken straight from the system for bulk storage that lives as long as a
// loaded image (its pixels) or a load (a frame's compressed data). A block comes zeroed and,
// where the system offers it, backed by large pages: a program that loads one big image then
// takes one fault for each 2 MiB it touches instead of one for each 4 KiB page.

#include <cstddef>

namespace platform {

// The size worth asking for when `bytes` are needed: `bytes`, or rounded up to whole large
// pages where that adds at most a quarter, so that the block's end gets a large page too
// (a 1920 x 1080 frame of 8-bit pixels is just short of 2 MiB).
std::size_t LargeBlockSize(std::size_t bytes);
// `bytes` rounded up to whole large pages, for blocks that will be filled as they go.
std::size_t WholeLargePages(std::size_t bytes);

// A zeroed block of `bytes` (more than 0), aligned to 64 bytes, advised as wanting large
// pages unless `largePages` is false (for memory that may stay mostly untouched); null when
// the memory cannot be had.
void* AllocateLargeBlock(std::size_t bytes, bool largePages = true);
// Gives back a block from AllocateLargeBlock, with the size it was asked for.
void FreeLargeBlock(void* block, std::size_t bytes);

}  // namespace platform
