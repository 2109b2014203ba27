#include "mUtils.h"

#include "DocumentOpener.h"

namespace mUtils {
namespace {
std::string& applicationDirectoryStore() {
    static std::string directory;
    return directory;
}

DocumentOpener*& openerStore() {
    static DocumentOpener* opener = nullptr;
    return opener;
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

void OpenDocument(const std::string& target) {
    DocumentOpener* opener = openerStore();
    if (target.empty() || opener == nullptr) return;
    try {
        opener->Open(target);
    } catch (...) {
        // The desktop's failures are never the user's problem here.
    }
}

DocumentOpener* SetDocumentOpener(DocumentOpener* opener) {
    DocumentOpener* previous = openerStore();
    openerStore() = opener;
    return previous;
}

}  // namespace mUtils
