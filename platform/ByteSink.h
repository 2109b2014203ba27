#pragma once
// Where a writer puts its bytes: a file being saved, or memory in tests and benchmarks. A
// sink that cannot take the bytes throws; the writer turns that into a failed save.

#include <cstddef>
#include <cstdint>

namespace platform {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(const std::uint8_t* data, size_t count) = 0;
};

}  // namespace platform
