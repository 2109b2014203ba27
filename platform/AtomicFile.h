#pragma once
// A file that replaces its target only once it is complete and on the disk. Bytes go to a new
// temporary file beside the target; Commit flushes it to the disk, puts it in place of the
// target in one rename and flushes the folder, so that after a crash or a power cut the
// target is either the old file or the whole new one. Until then, and whenever anything
// fails, the previous file stays as it was, and the temporary file is removed.
//
// Where the system allows it the temporary file has no name until Commit, so a process killed
// while writing leaves nothing behind; elsewhere it has a short name (".corpo-....tmp"). A
// save holds its temporary file locked until it is done, and removes those of its names that
// nobody holds, left in the folder by saves that died.
//
// The replacement is the same file to everyone else: it keeps the previous file's permission
// bits, and its owner and group where the process may set them (a new file gets the usual
// default). A target that is a symbolic link stays one: the file it points to is replaced, in
// that file's own folder. A file the process may not write itself, or that is not a regular
// file (a device, a pipe), is not replaced, even where the folder would let it rename.

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/ByteSink.h"

namespace platform {

class AtomicFile : public ByteSink {
  public:
    // Checks the target (a UTF-8 name) and creates the temporary file in the target's folder;
    // throws std::runtime_error, with the reason, when either fails.
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Throws std::runtime_error when the bytes cannot be written.
    void Write(const std::uint8_t* data, size_t count) override;

    // Writes out what is buffered, flushes the file to the disk, puts it in place of the
    // target and flushes the folder. Throws std::runtime_error on failure (the temporary file
    // is then removed, and the target is as it was unless only the folder's flush failed).
    void Commit();

    // The file that Commit replaces: the target, or the file its symbolic links lead to.
    const std::string& ReplacedPath() const { return replacedPath_; }

  private:
    static constexpr int kNameAttempts = 100;  // a clash this often means something else is wrong
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    void FindTarget(const std::string& targetPath);
    void Discard();
    void KeepOwnerAndPermissions();
    void PutInPlace();

    std::string replacedPath_;
    std::string folder_;
    // The temporary file's name while it has one; empty for an unnamed file.
    std::string temporaryPath_;
    std::FILE* file_ = nullptr;
    bool replacesExisting_ = false;
    unsigned previousMode_ = 0;
    unsigned previousOwner_ = 0;
    unsigned previousGroup_ = 0;
};

}  // namespace platform
