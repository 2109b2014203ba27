// The part of the atomic save that is the same on every system; creating, replacing and
// discarding the file are in AtomicFilePosix.cpp and AtomicFileWindows.cpp.
#include "platform/AtomicFile.h"

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/SavePaths.h"

namespace platform {

// The file to replace: the target once its links are followed, and the folder it lies in.
void AtomicFile::FindTarget(const std::string& targetPath) {
    if (targetPath.empty()) throw std::runtime_error("no file name");
    const std::filesystem::path replaced = FollowLinks(std::filesystem::u8path(targetPath));
    replacedPath_ = replaced.u8string();
    folder_ = FolderOf(replaced);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Write(const std::uint8_t* data, size_t count) {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    if (std::fwrite(data, 1, count, file_) != count)
        throw FileError("cannot write", replacedPath_, errno);
}

}  // namespace platform
