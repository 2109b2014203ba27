// Start-up: the application object, the application directory, the main window.

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>

#include "DesktopDocumentOpener.h"
#include "QtSystemColours.h"
#include "WindowFonts.h"
#include "fMain.h"
#include "mUtils.h"

namespace mStartup {

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corpometer");
    QApplication::setApplicationVersion(CORPOMETER_VERSION);
    // One look on every desktop: the artwork was drawn against it.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    controls::TakeSystemColoursFrom(QApplication::palette());
    mUtils::SetApplicationDirectory(QCoreApplication::applicationDirPath().toStdString());
    WindowFonts::RegisterBundledFonts();
    DesktopDocumentOpener opener;
    mUtils::SetDocumentOpener(&opener);

    fMain window;
    window.Load();
    QObject::connect(&window, &fMain::Unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
    window.show();
    const int status = QApplication::exec();
    mUtils::SetDocumentOpener(nullptr);
    return status;
}

}  // namespace mStartup

int main(int argc, char** argv) {
    return mStartup::Main(argc, argv);
}
