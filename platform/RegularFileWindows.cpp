#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/FileFailure.h"
#include "platform/RegularFile.h"

namespace platform {

std::FILE* OpenRegularFile(const std::string& path, std::uint64_t& size, std::string* error) {
    // Paths are UTF-8 throughout; the wide calls take every name the ANSI ones cannot.
    const std::filesystem::path name = std::filesystem::u8path(path);
    std::error_code failure;
    const auto status = std::filesystem::status(name, failure);
    if (!std::filesystem::exists(status)) return NoFile(error, "does not exist");
    if (std::filesystem::is_directory(status)) return NoFile(error, "is a folder");
    if (!std::filesystem::is_regular_file(status)) return NoFile(error, "is not a regular file");
    std::FILE* file = ::_wfopen(name.c_str(), L"rb");
    if (file == nullptr) return NoFile(error, std::strerror(errno));
    // A name of a device (CON, a pipe) opens as something other than a disk file.
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    LARGE_INTEGER length;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileSizeEx(handle, &length)) {
        std::fclose(file);
        return NoFile(error, "is not a regular file");
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return file;
}

bool IsRegularFile(const std::string& path) {
    std::error_code failure;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path), failure);
}

}  // namespace platform
