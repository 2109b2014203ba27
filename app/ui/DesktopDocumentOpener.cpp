#include "app/ui/DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

namespace {

// "scheme:" at the start, but not "host:port", which is an address without its scheme.
bool HasScheme(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    static const QRegularExpression hostAndPort(QStringLiteral("^[^:/]+:[0-9]+(/|$)"));
    return scheme.match(text).hasMatch() && !hostAndPort.match(text).hasMatch();
}

}  // namespace

QUrl DesktopDocumentOpener::TargetUrl(const QString& target) {
    const QString text = target.trimmed();
    if (text.isEmpty()) return {};
    if (HasScheme(text)) return QUrl(text, QUrl::TolerantMode);
    if (QDir::isAbsolutePath(text) && QFileInfo::exists(text)) return QUrl::fromLocalFile(text);
    return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
}

bool DesktopDocumentOpener::Open(const std::string& target) {
    const QUrl url = TargetUrl(QString::fromStdString(target));
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace ui
