#include "app/core/DocumentOpener.h"

namespace core {
namespace {

DocumentOpener*& OpenerStore() {
    static DocumentOpener* opener = nullptr;
    return opener;
}

}  // namespace

void OpenDocument(const std::string& target) {
    DocumentOpener* opener = OpenerStore();
    if (target.empty() || opener == nullptr) return;
    try {
        opener->Open(target);
    } catch (...) {
        // The desktop's failures are never the user's problem here.
    }
}

DocumentOpener* SetDocumentOpener(DocumentOpener* opener) {
    DocumentOpener* previous = OpenerStore();
    OpenerStore() = opener;
    return previous;
}

}  // namespace core
