#include "mUtils.h"

namespace mUtils {
namespace {
std::string& applicationDirectoryStore() {
    static std::string directory;
    return directory;
}
}  // namespace

std::string& AddBackslash(std::string& path) {
    if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
    return path;
}

std::string NativeSeparators(std::string path) {
    for (char& c : path) {
        if (c == '\\' || c == '/') c = kPathSeparator;
    }
    return path;
}

const std::string& ApplicationDirectory() {
    return applicationDirectoryStore();
}

void SetApplicationDirectory(const std::string& directory) {
    std::string& stored = applicationDirectoryStore();
    stored = directory;
    while (stored.size() > 1 && stored.back() == kPathSeparator)
        stored.pop_back();
}

}  // namespace mUtils
