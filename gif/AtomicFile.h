#pragma once
// A file that replaces its target only once it is complete. Bytes go to a new temporary
// file beside the target; Commit closes it and renames it over the target in one step. Until then,
// and whenever anything fails, the previous file of that name stays as it was, and a temporary file
// that was not committed is removed.
//
// The replacement is the same file to everyone else: it keeps the previous file's permission
// bits, and its owner and group where the process may set them (a new file gets the usual
// default). A target that is a symbolic link stays one: the file it points to is replaced, in
// that file's own folder. The temporary name is short whatever the target's length.

#include <cstdio>
#include <string>

#include "gif/GifByteSink.h"

class AtomicFile : public GifByteSink {
  public:
    // Creates the temporary file in the target's directory; throws std::runtime_error, with
    // the reason, when it cannot.
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
    // The file that Commit replaces: the target, or the file its symbolic links lead to.
    const std::string& ReplacedPath() const { return replacedPath_; }

  private:
    void Discard();
    void KeepOwnerAndPermissions();

    std::string targetPath_;
    std::string replacedPath_;
    std::string temporaryPath_;
    std::FILE* file_ = nullptr;
    bool replacesExisting_ = false;
    unsigned previousMode_ = 0;
    unsigned previousOwner_ = 0;
    unsigned previousGroup_ = 0;
};
