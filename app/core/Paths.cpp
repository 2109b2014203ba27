#include "app/core/Paths.h"

#include <algorithm>

#include "platform/SystemFolders.h"

namespace core {
namespace {
std::string& applicationDirectoryStore() {
    static std::string directory = platform::ExecutableDirectory();
    return directory;
}

// True when `path` ends in the separator of a root that cannot lose it: "/" alone, or a
// drive's root such as "C:\".
bool IsRootWithSeparator(const std::string& path) {
    return path.size() == 1 || platform::IsDriveRoot(path);
}
}  // namespace

std::string& AddBackslash(std::string& path) {
    if (path.empty() || path.back() != platform::kPathSeparator) path += platform::kPathSeparator;
    return path;
}

std::string NativeSeparators(std::string path) {
    for (char& c : path) {
        if (c == '\\' || c == '/') c = platform::kPathSeparator;
    }
    return path;
}

const std::string& ApplicationDirectory() {
    return applicationDirectoryStore();
}

void SetApplicationDirectory(const std::string& directory) {
    std::string& stored = applicationDirectoryStore();
    // Toolkits hand directories over with "/" (Qt does on Windows too); a "\" is part of a
    // name where it is no separator.
    stored = directory;
    std::replace(stored.begin(), stored.end(), '/', platform::kPathSeparator);
    while (!stored.empty() && stored.back() == platform::kPathSeparator &&
           !IsRootWithSeparator(stored))
        stored.pop_back();
}

bool StaysInsideFolder(const std::string& relativeName) {
    int depth = 0;
    size_t start = 0;
    while (start <= relativeName.size()) {
        const size_t end = std::min(relativeName.find_first_of("/\\", start), relativeName.size());
        const std::string part = relativeName.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace core
