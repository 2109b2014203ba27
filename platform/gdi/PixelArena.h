#pragma once
// Carves the bitmaps of one image out of a few large blocks instead of one allocation each.
// A program that loads an animation in a fresh process would otherwise map, fault in and give
// back memory frame by frame; here the blocks grow geometrically (each at least twice the one
// before), so a hundred frames take a handful of blocks, and big blocks get large pages.
//
// A block is asked for only when a bitmap is made that does not fit the present one, and
// holds at most twice what the bitmaps made so far took besides the new one: the arena never
// reserves memory for frames a file merely announces. Each bitmap keeps its block alive, so
// bitmaps may outlive the arena and each other in any order; a block is given back with the
// last bitmap carved from it.
//
// One arena serves one thread at a time; its bitmaps may be released anywhere.

#include <cstddef>

namespace platform::gdi {

// What a new bitmap's pixel memory holds: zeros, or whatever the allocator gives, for a
// caller that writes every byte (padding included) before anything reads it. Zeroing a
// bitmap that is then overwritten whole costs a pass over its memory.
enum class PixelStart { Zeroed, Unset };

class PixelArena {
  public:
    // A block of the arena; counts the holders of its memory.
    struct Block;

    // Without large pages, for bitmaps that may never be written (their untouched pages
    // then cost nothing).
    explicit PixelArena(bool largePages = true) : largePages_(largePages) {}
    ~PixelArena();
    PixelArena(const PixelArena&) = delete;
    PixelArena& operator=(const PixelArena&) = delete;

    // Makes sure that the next `bytes` (counted as Allocate counts them) come from one
    // block, so that the bitmaps of one frame are asked for together. `expected`, when
    // known, is what the image's bitmaps from here on are thought to need (these bytes
    // included): a new block is then made no larger than that or `bytes`. False when the
    // memory cannot be had.
    bool Reserve(std::size_t bytes, std::size_t expected = 0);
    // `bytes` of memory aligned to 16 bytes, zeroed unless `start` says otherwise, and the
    // block it came from, which the caller holds until it calls Release; null when the
    // memory cannot be had. Blocks may be ones an earlier load freed, so memory asked for
    // unset may hold anything.
    void* Allocate(std::size_t bytes, Block*& from, PixelStart start = PixelStart::Zeroed);
    // Whether memory that Allocate gives from here on, until another block is needed, is all
    // zeros before anything is written (memory new to the process is).
    bool FreshMemoryZeroed() const;
    // What Allocate takes of a block for `bytes`.
    static std::size_t Footprint(std::size_t bytes);
    // Drops one hold on a block; the last gives its memory back.
    static void Release(Block* block);

  private:
    bool largePages_;
    Block* current_ = nullptr;  // the block new memory is carved from; the arena holds it
    std::size_t used_ = 0;      // bytes of it given out, its own header included
    std::size_t lastSize_ = 0;  // the size of the latest block
};

}  // namespace platform::gdi
