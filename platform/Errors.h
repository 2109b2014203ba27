#pragma once
// Error kinds shared by every layer. Range and arithmetic faults use the standard
// std::out_of_range and std::overflow_error; these two cover what the standard lacks.

#include <stdexcept>
#include <string>

namespace platform {

// A file that a caller named does not exist.
class FileNotFoundError : public std::runtime_error {
  public:
    explicit FileNotFoundError(const std::string& path)
        : std::runtime_error("File not found: " + path), path_(path) {}
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// An operation reached for an object reference that holds no object.
class MissingObjectError : public std::runtime_error {
  public:
    explicit MissingObjectError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace platform
