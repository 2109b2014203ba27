#pragma once
// Wuffs, the fastest published GIF decoder we know of, as a peer in the decode benchmark
// (built only when its single-file release is found; never part of the product).

#include <cstdint>
#include <vector>

namespace wuffs_peer {

// Decodes every frame of the GIF to palette indices into one canvas-sized buffer, allocating
// the decoder, its work buffer and the canvas as a program that loads one image does, and
// frees them again. False when Wuffs stops on an error.
bool DecodeToCanvas(const std::vector<std::uint8_t>& bytes);

}  // namespace wuffs_peer
