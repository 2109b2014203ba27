// The atomic save on Linux and other POSIX systems. The order of the steps is what makes it
// survive a crash: the new file's data is forced to the disk (fsync) before the rename, so
// that a rename the disk already holds never names a file whose bytes were lost, and the
// folder is forced to the disk after it, so that a save reported as done stays done.
#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/FileFailure.h"
#include "platform/SavePaths.h"

namespace platform {

namespace {

// A named temporary file, where the system cannot make an unnamed one.
constexpr char kNamedExtension[] = ".tmp";
// An unnamed file that has just been given a name, to be renamed over the target at once.
constexpr char kLinkedExtension[] = ".new";

// A name that ShortTemporaryName gives: ".corpo-", 12 hex digits, ".tmp" or ".new".
bool IsTemporaryName(const char* name) {
    constexpr size_t kPrefix = 7, kDigits = 12;  // ".corpo-", then the hex digits
    if (std::strncmp(name, ".corpo-", kPrefix) != 0) return false;
    for (size_t i = kPrefix; i < kPrefix + kDigits; ++i) {
        if (std::strchr("0123456789abcdef", name[i]) == nullptr || name[i] == '\0') return false;
    }
    const char* extension = name + kPrefix + kDigits;
    return std::strcmp(extension, kLinkedExtension) == 0 ||
           std::strcmp(extension, kNamedExtension) == 0;
}

// Whether `name` in the folder `folderFd` still leads to the open file `fd`.
bool NameLeadsTo(int folderFd, const char* name, int fd) {
    struct stat opened, named;
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

// Every file a save has named is locked by it until it has replaced the target (or been
// removed): an unnamed file before it gets its name, a named temporary file as soon as it is
// made. A file of those names that nobody holds locked was left by a save that died (a
// killed process, a power cut): it is removed here, by the next save into the same folder.
void RemoveAbandonedFiles(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    const int folderFd = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        const int fd =
            ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened;
        // The name must still lead to the file that was locked: a save that has just renamed
        // it over its target unlocks it too.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && NameLeadsTo(folderFd, entry->d_name, fd)) {
            ::unlinkat(folderFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(listing);
}

// A file in `folder` without a name, locked, or -1 where the file system or the kernel cannot
// make one (or /proc, through which it gets its name later, is missing).
int CreateUnnamed(const std::string& folder, unsigned mode) {
#if defined(O_TMPFILE)
    if (::access("/proc/self/fd", X_OK) != 0) return -1;
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
#else
    (void)folder;
    (void)mode;
    return -1;
#endif
}

// A new named file in `folder`, locked, or -1 with errno set after `attempts` names that
// were taken. Between its creation and its lock another save may take it for abandoned and
// remove it; once locked, it is checked to be still there, and otherwise made again under
// another name.
int CreateNamed(const std::string& folder, unsigned mode, int attempts, std::string& path) {
    for (int attempt = 0;; ++attempt) {
        path = folder + "/" + ShortTemporaryName(kNamedExtension);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(mode));
        if (fd < 0) {
            if (errno == EEXIST && attempt < attempts) continue;
            path.clear();
            return -1;
        }
        // Where files cannot be locked, no save takes one for abandoned either.
        if (::flock(fd, LOCK_EX) != 0 || NameLeadsTo(AT_FDCWD, path.c_str(), fd)) return fd;
        ::close(fd);
        if (attempt == attempts) {
            path.clear();
            errno = EEXIST;
            return -1;
        }
    }
}

void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the process may not read cannot be opened to be flushed; its new entry reaches
    // the disk with the system's next write-back.
    if (fd < 0) return;
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems do not flush folders (EINVAL): nothing to do there.
    if (result != 0 && error != EINVAL) throw FileError("cannot flush the folder", folder, error);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath) {
    FindTarget(targetPath);

    // A new file gets the usual default; a replacement is created no more open than the
    // file it replaces, so its bytes are never readable by more people than before.
    unsigned createMode = 0666;
    struct stat previous;
    if (::stat(replacedPath_.c_str(), &previous) == 0) {
        if (!S_ISREG(previous.st_mode)) {
            throw std::runtime_error("cannot replace \"" + replacedPath_ +
                                     "\": not a regular file");
        }
        // Renaming over a file asks only the folder's permission; replacing what another user
        // owns must also need the right to write the file itself.
        if (::faccessat(AT_FDCWD, replacedPath_.c_str(), W_OK, AT_EACCESS) != 0)
            throw FileError("cannot replace", replacedPath_, errno);
        replacesExisting_ = true;
        previousMode_ = previous.st_mode & 07777;
        previousOwner_ = previous.st_uid;
        previousGroup_ = previous.st_gid;
        createMode = previousMode_ & 0666;
    }

    RemoveAbandonedFiles(folder_);
    int fd = CreateUnnamed(folder_, createMode);
    if (fd < 0) fd = CreateNamed(folder_, createMode, kNameAttempts, temporaryPath_);
    if (fd < 0) {
        throw FileError("cannot create a new file in",
                        folder_ == "." ? std::string("the current folder") : folder_, errno);
    }
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        const int error = errno;
        ::close(fd);
        Discard();
        throw FileError("cannot write", replacedPath_, error);
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

// The owner and group go first: changing them clears the set-user and set-group bits.
// A process that may not give the file away keeps what it can (the group, when it belongs
// to it); the set-id bits are then not carried over to a file of another owner.
void AtomicFile::KeepOwnerAndPermissions() {
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
    if (::fchmod(fd, static_cast<mode_t>(mode)) != 0)
        throw FileError("cannot set the permissions of", replacedPath_, errno);
}

// An unnamed file cannot take an existing name, so it is given a short name of its own and
// renamed over the target; a target that does not exist yet it takes directly.
void AtomicFile::PutInPlace() {
    if (temporaryPath_.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
        if (!replacesExisting_ && ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, replacedPath_.c_str(),
                                           AT_SYMLINK_FOLLOW) == 0)
            return;
        for (int attempt = 0; temporaryPath_.empty(); ++attempt) {
            const std::string name = folder_ + "/" + ShortTemporaryName(kLinkedExtension);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                temporaryPath_ = name;
            else if (errno != EEXIST || attempt == kNameAttempts)
                throw FileError("cannot name the new file in", folder_, errno);
        }
    }
    if (::rename(temporaryPath_.c_str(), replacedPath_.c_str()) != 0)
        throw FileError("cannot replace", replacedPath_, errno);
    temporaryPath_.clear();
}

void AtomicFile::Commit() {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    try {
        if (std::fflush(file_) != 0) throw FileError("cannot write", replacedPath_, errno);
        KeepOwnerAndPermissions();
        if (::fsync(::fileno(file_)) != 0)
            throw FileError("cannot flush to the disk", replacedPath_, errno);
        PutInPlace();
    } catch (...) {
        Discard();
        throw;
    }
    // Closed only now: the lock of an unnamed file is held until it has replaced the target.
    std::fclose(file_);
    file_ = nullptr;
    FlushFolder(folder_);
}

void AtomicFile::Discard() {
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
    // An unnamed file goes with its last descriptor.
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace platform
