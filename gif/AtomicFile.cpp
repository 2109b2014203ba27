#include "gif/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;  // a clash this often means something else is wrong
constexpr int kMaxLinks = 40;       // as many symbolic links as the system follows in a path
constexpr size_t kBufferBytes = 64 * 1024;

// A name suffix that differs from call to call and from process to process. It only has
// to make clashes rare: the file is opened exclusively, and a clash takes the next one.
uint64_t NextSuffix() {
    static std::atomic<uint64_t> counter{0};
    const uint64_t now =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const uint64_t mixed =
        (now ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
    return mixed ^ (mixed >> 31);
}

std::runtime_error FileError(const std::string& what, const std::string& path, int error) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(error));
}

// The file a path names once its symbolic links are followed; the path itself when it is
// not a link. A link to a file that does not exist yet leads to where that file would be.
fs::path FollowLinks(const fs::path& path) {
    fs::path current = path;
    for (int links = 0;; ++links) {
        std::error_code failure;
        if (!fs::is_symlink(fs::symlink_status(current, failure))) return current;
        if (links == kMaxLinks) {
            throw std::runtime_error("cannot replace \"" + path.string() +
                                     "\": too many levels of symbolic links");
        }
        const fs::path next = fs::read_symlink(current, failure);
        if (failure) {
            throw std::runtime_error("cannot follow \"" + current.string() +
                                     "\": " + failure.message());
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
}

// Opens a new file for writing, never one that exists already. `mode` is what a new file
// is created with (before the process's umask applies).
std::FILE* CreateExclusively(const std::string& path, unsigned mode) {
#if defined(_WIN32)
    (void)mode;
    return std::fopen(path.c_str(), "wbx");
#else
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        errno = error;
    }
    return file;
#endif
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath) : targetPath_(targetPath) {
    if (targetPath.empty()) throw std::runtime_error("no file name");
    const fs::path replaced = FollowLinks(targetPath);
    replacedPath_ = replaced.string();

    // A new file gets the usual default; a replacement is created no more open than the
    // file it replaces, so its bytes are never readable by more people than before.
    unsigned createMode = 0666;
#if !defined(_WIN32)
    struct stat previous;
    if (::stat(replacedPath_.c_str(), &previous) == 0 && S_ISREG(previous.st_mode)) {
        replacesExisting_ = true;
        previousMode_ = previous.st_mode & 07777;
        previousOwner_ = previous.st_uid;
        previousGroup_ = previous.st_gid;
        createMode = previousMode_ & 0666;
    }
#endif

    // The name is short whatever the target's, so that a target near the longest name a
    // folder allows can still be replaced.
    const fs::path folder = replaced.parent_path();
    int error = 0;
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".corpo-%012llx.tmp",
                      static_cast<unsigned long long>(NextSuffix() & 0xFFFFFFFFFFFFull));
        temporaryPath_ = (folder / name).string();
        file_ = CreateExclusively(temporaryPath_, createMode);
        error = errno;
        if (file_ == nullptr && error != EEXIST) break;
    }
    if (file_ == nullptr) {
        temporaryPath_.clear();
        const std::string where = folder.empty() ? "the current folder" : folder.string();
        throw FileError("cannot create a new file in", where, error);
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Write(const uint8_t* data, size_t count) {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    if (std::fwrite(data, 1, count, file_) != count) {
        throw FileError("cannot write", temporaryPath_, errno);
    }
}

// The owner and group go first: changing them clears the set-user and set-group bits.
// A process that may not give the file away keeps what it can (the group, when it belongs
// to it); the set-id bits are then not carried over to a file of another owner.
void AtomicFile::KeepOwnerAndPermissions() {
#if !defined(_WIN32)
    if (!replacesExisting_) return;
    const int fd = ::fileno(file_);
    bool sameOwner = ::fchown(fd, previousOwner_, previousGroup_) == 0;
    if (!sameOwner) {
        ::fchown(fd, static_cast<uid_t>(-1), previousGroup_);
        struct stat now;
        sameOwner =
            ::fstat(fd, &now) == 0 && now.st_uid == previousOwner_ && now.st_gid == previousGroup_;
    }
    const unsigned mode = sameOwner ? previousMode_ : previousMode_ & ~unsigned(S_ISUID | S_ISGID);
    if (::fchmod(fd, static_cast<mode_t>(mode)) != 0) {
        throw FileError("cannot set the permissions of", temporaryPath_, errno);
    }
#endif
}

void AtomicFile::Commit() {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    // Flushed to the operating system, not forced to the disk: that would cost more than
    // encoding a small image, and file systems that journal metadata already write the
    // data of a file renamed over another before the rename itself.
    const bool flushed = std::fflush(file_) == 0;
    int error = flushed ? 0 : errno;
    if (flushed) {
        try {
            KeepOwnerAndPermissions();
        } catch (...) {
            Discard();
            throw;
        }
    }
    const bool closed = std::fclose(file_) == 0;
    if (!closed && error == 0) error = errno;
    file_ = nullptr;
    if (!flushed || !closed) {
        const std::runtime_error failure = FileError("cannot write", temporaryPath_, error);
        Discard();
        throw failure;
    }
    std::error_code failure;
    fs::rename(temporaryPath_, replacedPath_, failure);
    if (failure) {
        Discard();
        throw std::runtime_error("cannot replace \"" + replacedPath_ + "\": " + failure.message());
    }
    temporaryPath_.clear();
}

void AtomicFile::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        std::remove(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}
