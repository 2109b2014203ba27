// Start-up: the command line, the application object, the application directory, the main
// window.

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>

#include "app/core/Paths.h"
#include "app/ui/DesktopDocumentOpener.h"
#include "app/ui/FirstPaintReport.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Translations.h"
#include "app/ui/WindowFonts.h"
#include "controls/qt/QtSystemColours.h"

namespace {

namespace {

constexpr int kUsageError = 2;

// The program's own options. Qt's (-platform, -style, ...) are taken out of the arguments
// by the application object before these are read.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version{{"v", "version"}, "Displays version information."};

    CommandLine() {
        parser.setApplicationDescription(
            "Corpometer works out the body mass index from a weight and a height.\n"
            "Qt's own options (-platform, -style, ...) work too.");
        parser.addOption(version);
    }

    // -1 to go on and open the window, else the exit status: 0 after the help or the
    // version, 2 after a usage error (on standard error).
    int Read(const QStringList& arguments) {
        const bool parsed = parser.parse(arguments);
        if (parser.isSet(help) || parser.isSet("help-all")) {
            std::fputs(qPrintable(parser.helpText()), stdout);
            return 0;
        }
        if (parser.isSet(version)) {
            std::printf("corpometer %s\n", CORPOMETER_VERSION);
            return 0;
        }
        QString problem = parsed ? QString() : parser.errorText();
        if (parsed && !parser.positionalArguments().isEmpty())
            problem = "Unexpected argument '" + parser.positionalArguments().first() + "'.";
        if (problem.isEmpty()) return -1;
        std::fprintf(stderr, "corpometer: %s\n%s", qPrintable(problem),
                     qPrintable(parser.helpText()));
        return kUsageError;
    }
};

// Whether the command line asks for the help or the version, which need no display.
bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    }
    return false;
}

}  // namespace

int Main(int argc, char** argv) {
    if (AsksForHelpOrVersion(argc, argv)) {
        // Answered without opening the window system, so that it works without a display.
        QCoreApplication core(argc, argv);
        Translations::Install();
        CommandLine commandLine;
        const int status = commandLine.Read(QCoreApplication::arguments());
        return status < 0 ? kUsageError : status;
    }
    QApplication app(argc, argv);
    Translations::Install();
    CommandLine commandLine;
    if (const int status = commandLine.Read(QCoreApplication::arguments()); status >= 0)
        return status;
    QApplication::setApplicationName("Corpometer");
    // Lets a desktop match the window with the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(CORPOMETER_APP_ID);
    QApplication::setApplicationVersion(CORPOMETER_VERSION);
    // One look on every desktop: the artwork was drawn against it.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    controls::TakeSystemColoursFrom(QApplication::palette());
    core::SetApplicationDirectory(QCoreApplication::applicationDirPath().toStdString());
    WindowFonts::RegisterBundledFonts();
    DesktopDocumentOpener opener;
    core::SetDocumentOpener(&opener);

    MainWindow window;
    window.Load();
    QObject::connect(&window, &MainWindow::Unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
    FirstPaintReport::WatchIfAsked(&window);
    window.show();
    const int status = QApplication::exec();
    core::SetDocumentOpener(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    return Main(argc, argv);
}
