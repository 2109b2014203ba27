#include "DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

bool DesktopDocumentOpener::Open(const std::string& target) {
    // A plain name is a file when one of that name exists (relative to the current folder,
    // as the shell reads it), otherwise an address.
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(target), QDir::currentPath(),
                                         QUrl::AssumeLocalFile);
    return url.isValid() && QDesktopServices::openUrl(url);
}
