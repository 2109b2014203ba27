#pragma once
// Opens documents and internet addresses with the shell's "open" verb.

#include "app/core/DocumentOpener.h"

namespace win32 {

class ShellDocumentOpener : public core::DocumentOpener {
  public:
    bool Open(const std::string& target) override;
};

}  // namespace win32
