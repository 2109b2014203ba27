// The atomic save on Windows. The new file is forced to the disk (_commit) before it replaces
// the target, and the replacement is written through (MOVEFILE_WRITE_THROUGH), so that after
// a crash or a power cut the target is the old file or the whole new one. There is no unnamed
// file here: a save that dies leaves its short-named temporary file behind, which the next
// save into the folder removes.
#include "platform/AtomicFile.h"

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/FileFailure.h"
#include "platform/SavePaths.h"

namespace platform {

namespace {

// A save keeps its temporary file open, without letting anyone delete it, until the file has
// replaced the target or been removed: a file of such a name (".corpo-", 12 hex digits,
// ".tmp") that can be deleted was left by a save that died.
void RemoveAbandonedFiles(const std::string& folder) {
    const std::filesystem::path folderPath = std::filesystem::u8path(folder);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folderPath / L".corpo-*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        constexpr size_t kPrefix = 7, kDigits = 12;
        if (name.size() != kPrefix + kDigits + 4 ||
            name.find_first_not_of(L"0123456789abcdef", kPrefix) != kPrefix + kDigits ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        ::DeleteFileW((folderPath / name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath) {
    FindTarget(targetPath);

    // Paths are UTF-8 throughout; the wide calls take every name the ANSI ones cannot.
    const DWORD attributes = ::GetFileAttributesW(std::filesystem::u8path(replacedPath_).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            throw std::runtime_error("cannot replace \"" + replacedPath_ +
                                     "\": not a regular file");
        }
        // A read-only file would be replaced by the move; it is the file's own permission
        // that must say whether it may change.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            throw FileError("cannot replace", replacedPath_, EACCES);
        replacesExisting_ = true;
    }

    RemoveAbandonedFiles(folder_);
    int error = 0;
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        const std::filesystem::path temporary =
            std::filesystem::u8path(folder_) / ShortTemporaryName(".tmp");
        temporaryPath_ = temporary.u8string();
        file_ = ::_wfopen(temporary.c_str(), L"wbx");
        error = errno;
        if (file_ == nullptr && error != EEXIST) break;
    }
    if (file_ == nullptr) {
        temporaryPath_.clear();
        throw FileError("cannot create a new file in",
                        folder_ == "." ? std::string("the current folder") : folder_, error);
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

// A new file takes the access list its folder hands down; there are no mode bits to copy.
void AtomicFile::KeepOwnerAndPermissions() {}

void AtomicFile::PutInPlace() {
    if (!::MoveFileExW(std::filesystem::u8path(temporaryPath_).c_str(),
                       std::filesystem::u8path(replacedPath_).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw std::runtime_error("cannot replace \"" + replacedPath_ + "\": error " +
                                 std::to_string(::GetLastError()));
    }
    temporaryPath_.clear();
}

void AtomicFile::Commit() {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    int error = 0;
    if (std::fflush(file_) != 0 || ::_commit(::_fileno(file_)) != 0) error = errno;
    if (std::fclose(file_) != 0 && error == 0) error = errno;
    file_ = nullptr;
    try {
        if (error != 0) throw FileError("cannot write", replacedPath_, error);
        PutInPlace();
    } catch (...) {
        Discard();
        throw;
    }
}

void AtomicFile::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        ::_wremove(std::filesystem::u8path(temporaryPath_).c_str());
        temporaryPath_.clear();
    }
}

}  // namespace platform
