#pragma once
// Collects what a writer or encoder puts out, for tests and benchmarks.

#include <vector>

#include "gif/GifByteSink.h"

class MemorySink : public gif::GifByteSink {
  public:
    void Write(const std::uint8_t* data, size_t count) override {
        bytes.insert(bytes.end(), data, data + count);
        writes.push_back(count);
    }
    std::vector<std::uint8_t> bytes;
    std::vector<size_t> writes;  // the size of every Write call
};
