// Loaded before a program (LD_PRELOAD), makes it run as on a file system that cannot make
// files without a name: every open with O_TMPFILE fails as it fails there.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdarg>

namespace {

bool Refused(int flags) {
    return (flags & O_TMPFILE) == O_TMPFILE;
}

// The mode argument is there only when the file may be created.
mode_t ModeOf(int flags, va_list arguments) {
    return (flags & O_CREAT) != 0 || Refused(flags) ? va_arg(arguments, mode_t) : 0;
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#define CORPO_OPEN(name)                                                       \
    extern "C" int name(const char* path, int flags, ...) {                    \
        va_list arguments;                                                     \
        va_start(arguments, flags);                                            \
        const mode_t mode = ModeOf(flags, arguments);                          \
        va_end(arguments);                                                     \
        if (Refused(flags)) {                                                  \
            errno = EOPNOTSUPP;                                                \
            return -1;                                                         \
        }                                                                      \
        return Next<int (*)(const char*, int, ...)>(#name)(path, flags, mode); \
    }
#define CORPO_OPENAT(name)                                                                  \
    extern "C" int name(int folder, const char* path, int flags, ...) {                     \
        va_list arguments;                                                                  \
        va_start(arguments, flags);                                                         \
        const mode_t mode = ModeOf(flags, arguments);                                       \
        va_end(arguments);                                                                  \
        if (Refused(flags)) {                                                               \
            errno = EOPNOTSUPP;                                                             \
            return -1;                                                                      \
        }                                                                                   \
        return Next<int (*)(int, const char*, int, ...)>(#name)(folder, path, flags, mode); \
    }

CORPO_OPEN(open)
CORPO_OPEN(open64)
CORPO_OPENAT(openat)
CORPO_OPENAT(openat64)
