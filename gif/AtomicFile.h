#pragma once
// A file that replaces its target only once it is complete. Bytes go to a new temporary
// file beside the target; Commit closes it and renames it over the target in one step. Until then,
// and whenever anything fails, the previous file of that name stays as it was, and a temporary file
// that was not committed is removed.

#include <cstdio>
#include <string>

#include "GifByteSink.h"

class AtomicFile : public GifByteSink {
  public:
    // Creates the temporary file in the target's directory; throws std::runtime_error when
    // it cannot.
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Throws std::runtime_error when the bytes cannot be written.
    void Write(const uint8_t* data, size_t count) override;

    // Writes out what is buffered, closes the file and puts it in place of the target. Throws
    // std::runtime_error on failure (the temporary file is then removed).
    void Commit();

    const std::string& TemporaryPath() const { return temporaryPath_; }

  private:
    void Discard();

    std::string targetPath_;
    std::string temporaryPath_;
    std::FILE* file_ = nullptr;
};
