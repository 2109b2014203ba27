#include "platform/WholeFile.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace platform {

namespace {

bool Fail(std::vector<uint8_t>& bytes, std::string* error, const std::string& reason) {
    bytes.clear();
    if (error != nullptr) *error = reason;
    return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes,
                   std::string* error) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) return Fail(bytes, error, "is a folder");
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        const bool exists = std::filesystem::exists(path, code);
        return Fail(bytes, error, exists ? "cannot be opened" : "does not exist");
    }
    const std::streamoff length = file.tellg();
    if (length < 0) return Fail(bytes, error, "cannot be read");
    if (static_cast<uint64_t>(length) > maxBytes) return Fail(bytes, error, "is too large");
    try {
        bytes.resize(static_cast<size_t>(length));
    } catch (const std::exception&) {
        return Fail(bytes, error, "is too large to be held in memory");
    }
    file.seekg(0);
    if (length > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), length))
        return Fail(bytes, error, "cannot be read");
    return true;
}

}  // namespace platform
