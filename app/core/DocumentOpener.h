#pragma once
// Hands a document name or internet address to the desktop's default opener. The windows
// install the desktop's opener at start-up; tests install their own.

#include <string>

namespace core {

class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // True when the desktop accepted the target.
    virtual bool Open(const std::string& target) = 0;
};

// Asks the installed opener to open `target` (a file, document or internet address).
// Failures are ignored: an empty target, no opener, a refusal or an error all simply return.
void OpenDocument(const std::string& target);
// Installs the opener OpenDocument uses (not owned; nullptr removes it). Returns the
// previous one.
DocumentOpener* SetDocumentOpener(DocumentOpener* opener);

}  // namespace core
