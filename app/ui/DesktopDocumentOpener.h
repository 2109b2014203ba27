#pragma once
// Opens documents and internet addresses with the desktop's default application.

#include <QUrl>

#include "app/core/DocumentOpener.h"

namespace ui {

class DesktopDocumentOpener : public core::DocumentOpener {
  public:
    bool Open(const std::string& target) override;

    // What a target text names: a text with a scheme ("https:", "mailto:", "file:") as it
    // stands; an absolute path of an existing file or folder as that file; anything else,
    // such as "www.acme.example" or "acme.example/bmi", as a web address.
    static QUrl TargetUrl(const QString& target);
};

}  // namespace ui
