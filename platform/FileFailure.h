#pragma once
// How the file functions of this folder say that something failed, the same on every system.

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace platform {

// A file that could not be opened: the reason goes to `error` when the caller asked for one.
inline std::FILE* NoFile(std::string* error, const std::string& reason) {
    if (error != nullptr) *error = reason;
    return nullptr;
}

// What failed, on which file, and the system's reason for the error number: `cannot write
// "a.gif": No space left on device`.
inline std::runtime_error FileError(const std::string& what, const std::string& path,
                                    int errorNumber) {
    return std::runtime_error(what + " \"" + path + "\": " + std::strerror(errorNumber));
}

}  // namespace platform
