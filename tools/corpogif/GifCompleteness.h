#pragma once
// Whether a GIF stream is complete: the reader loads whatever it can of a damaged or cut
// stream and says nothing of what it passed over, so the inspector walks the blocks again,
// strictly, to tell the user.

#include <cstddef>
#include <cstdint>
#include <string>

// Empty for a stream whose blocks are all whole, whose every frame's image data fills the
// frame, and which ends with the trailer; otherwise what is wrong first and where, as
// "the stream ends inside frame 3's image data". Expects the 6-byte header to be valid.
std::string FirstDamage(const uint8_t* stream, size_t size);
