#include "app/ui/WindowScreenshot.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace ui {

bool WriteScreenshot(QWidget& window, const QString& path, QString& error) {
    // Shown, but never on a screen: the window lays itself out as for its first paint (the
    // height list scrolls to the chosen row), on any platform, the offscreen one included.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    const QImage picture = window.grab().toImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(picture)) {
        error = writer.errorString();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace ui
