#pragma once
// Where the GIF writer and the LZW encoder put their bytes: a file being saved
// (platform::AtomicFile), or memory in tests and benchmarks.

#include "platform/ByteSink.h"

namespace gif {

using GifByteSink = platform::ByteSink;

}  // namespace gif
