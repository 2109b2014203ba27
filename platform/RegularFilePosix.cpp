#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileFailure.h"
#include "platform/RegularFile.h"

namespace platform {

std::FILE* OpenRegularFile(const std::string& path, std::uint64_t& size, std::string* error) {
    // O_NONBLOCK: opening a pipe that has no writer returns at once instead of waiting.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        return NoFile(error, reason == ENOENT ? "does not exist" : std::strerror(reason));
    }
    struct stat status;
    if (::fstat(fd, &status) != 0) {
        const int reason = errno;
        ::close(fd);
        return NoFile(error, std::strerror(reason));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return NoFile(error, S_ISDIR(status.st_mode) ? "is a folder" : "is not a regular file");
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        const int reason = errno;
        ::close(fd);
        return NoFile(error, std::strerror(reason));
    }
    size = static_cast<std::uint64_t>(status.st_size);
    return file;
}

bool IsRegularFile(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace platform
