// Start-up: the application object, the application directory, the main window.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "mSetup.h"
#include "mUtils.h"

namespace mStartup {

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corpometer");
    QApplication::setApplicationVersion(CORPOMETER_VERSION);
    mUtils::SetApplicationDirectory(QCoreApplication::applicationDirPath().toStdString());

    mSetup::LoadBranding();
    const auto& branding = mSetup::BrandingSettings;

    QWidget window;
    window.setWindowTitle("Corpometer");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QString::fromStdString(branding.NameText).replace("&&", "&")));
    layout->addWidget(new QLabel(QString::fromStdString(branding.Title)));
    window.show();
    return QApplication::exec();
}

}  // namespace mStartup

int main(int argc, char** argv) {
    return mStartup::Main(argc, argv);
}
