#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

constexpr int kNameAttempts = 100;  // a clash this often means something else is wrong
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

std::runtime_error FileError(const std::string& what, const std::string& path) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(errno));
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath) : targetPath_(targetPath) {
    if (targetPath.empty()) throw std::runtime_error("no file name");
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                      static_cast<unsigned long long>(NextSuffix() & 0xFFFFFFFFFFFFull));
        temporaryPath_ = targetPath + suffix;
        // "x": never open a file that already exists, so nothing else is overwritten.
        file_ = std::fopen(temporaryPath_.c_str(), "wbx");
        if (file_ == nullptr && errno != EEXIST) break;
    }
    if (file_ == nullptr) {
        const std::runtime_error error = FileError("cannot create a file beside", targetPath);
        temporaryPath_.clear();
        throw error;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Write(const uint8_t* data, size_t count) {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    if (std::fwrite(data, 1, count, file_) != count) {
        throw FileError("cannot write", temporaryPath_);
    }
}

void AtomicFile::Commit() {
    if (file_ == nullptr) throw std::runtime_error("file already closed");
    // Flushed to the operating system, not forced to the disk: that would cost more than
    // encoding a small image, and file systems that journal metadata already write the
    // data of a file renamed over another before the rename itself.
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        const std::runtime_error error = FileError("cannot write", temporaryPath_);
        Discard();
        throw error;
    }
    std::error_code failure;
    std::filesystem::rename(temporaryPath_, targetPath_, failure);
    if (failure) {
        Discard();
        throw std::runtime_error("cannot replace \"" + targetPath_ + "\": " + failure.message());
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
