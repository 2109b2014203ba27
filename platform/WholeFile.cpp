#include "platform/WholeFile.h"

#include <stdexcept>

#include "platform/RegularFile.h"

namespace platform {

namespace {

bool Fail(std::vector<std::uint8_t>& bytes, std::string* error, const std::string& reason) {
    bytes.clear();
    if (error != nullptr) *error = reason;
    return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::uint64_t maxBytes, std::string* error) {
    std::uint64_t length = 0;
    std::FILE* file = OpenRegularFile(path, length, error);
    if (file == nullptr) return Fail(bytes, error, error != nullptr ? *error : std::string());
    bool ok = length <= maxBytes;
    std::string reason = ok ? std::string() : "is too large";
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(length));
        } catch (const std::exception&) {
            ok = false;
            reason = "is too large to be held in memory";
        }
    }
    // The size is the one the file had when it was opened: bytes it gains meanwhile are not
    // read, and one that shrinks fails.
    if (ok && length > 0 && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        ok = false;
        reason = "cannot be read";
    }
    std::fclose(file);
    return ok ? true : Fail(bytes, error, reason);
}

}  // namespace platform
