#include "platform/SavePaths.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

namespace {

constexpr int kMaxLinks = 40;  // as many symbolic links as the system follows in a path

// Differs from call to call and from process to process. It only has to make clashes rare:
// the file is created exclusively, and a clash takes the next one.
std::uint64_t NextSuffix() {
    static std::atomic<std::uint64_t> counter{0};
    const std::uint64_t now =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t mixed =
        (now ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull)) * 0xBF58476D1CE4E5B9ull;
    return mixed ^ (mixed >> 31);
}

}  // namespace

fs::path FollowLinks(const fs::path& path) {
    fs::path current = path;
    for (int links = 0;; ++links) {
        std::error_code failure;
        if (!fs::is_symlink(fs::symlink_status(current, failure))) return current;
        if (links == kMaxLinks) {
            throw std::runtime_error("cannot replace \"" + path.u8string() +
                                     "\": too many levels of symbolic links");
        }
        const fs::path next = fs::read_symlink(current, failure);
        if (failure) {
            throw std::runtime_error("cannot follow \"" + current.u8string() +
                                     "\": " + failure.message());
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
}

std::string ShortTemporaryName(const char* extension) {
    char name[40];
    std::snprintf(name, sizeof name, ".corpo-%012llx%s",
                  static_cast<unsigned long long>(NextSuffix() & 0xFFFFFFFFFFFFull), extension);
    return name;
}

std::string FolderOf(const fs::path& file) {
    const fs::path folder = file.parent_path();
    return folder.empty() ? std::string(".") : folder.u8string();
}

}  // namespace platform
