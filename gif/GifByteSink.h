#pragma once
// Where the GIF writer and the LZW encoder put their bytes: a file being saved, or memory in
// tests and benchmarks. A sink that cannot take the bytes throws; the writer turns that into
// a failed save.

#include <cstddef>
#include <cstdint>

class GifByteSink {
  public:
    virtual ~GifByteSink() = default;
    virtual void Write(const uint8_t* data, size_t count) = 0;
};
