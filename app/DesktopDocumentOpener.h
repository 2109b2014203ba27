#pragma once
// Opens documents and internet addresses with the desktop's default application.

#include "DocumentOpener.h"

class DesktopDocumentOpener : public DocumentOpener {
  public:
    bool Open(const std::string& target) override;
};
