// Start-up: the command line, the application object, the application directory, the main
// window.

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/core/Paths.h"
#include "app/ui/DesktopDocumentOpener.h"
#include "app/ui/FirstPaintReport.h"
#include "app/ui/HelpTranslations.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Translations.h"
#include "app/ui/WindowFonts.h"
#include "app/ui/WindowScreenshot.h"
#include "controls/qt/QtSystemColours.h"
#include "platform/Display.h"
#include "platform/UserLanguage.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kNoDisplay = 1;

// The usage and the help: the one place where the command line is described.
const char kUsage[] =
    "usage: corpometer [--help | --version | --screenshot FILE.png] [Qt options]\n";
const char kHelp[] =
    "\n"
    "Corpometer works out the body mass index from a weight and a height.\n"
    "\n"
    "Options:\n"
    "  -h, --help          prints this help and exits\n"
    "  -v, --version       prints the version and exits\n"
    "  --screenshot FILE   draws the window with the branding it finds into the PNG\n"
    "                      file FILE and exits, showing nothing (no display needed)\n"
    "\n"
    "Qt's own options work too, for example -platform NAME (xcb, wayland, offscreen)\n"
    "and -style NAME (Fusion, Windows).\n";

// Qt's own options, which the application object takes out of the arguments itself: those
// followed by a value (or written -name=value) and those without one. Qt takes them with
// one dash or two.
const char* const kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger", "name",    "title",
    "visual"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Listed(const std::string& name, const char* const* list, size_t count) {
    return std::find(list, list + count, name) != list + count;
}

// A usage error, said whole in the user's language: the problem, then the usage.
int UsageError(const platform::MessageText& problem, const std::string& argument) {
    const char* usage = platform::LocalHelp(kUsage, kHelp, ui::kTranslatedHelp).usage;
    std::fprintf(stderr, "corpometer: %s\n%s", platform::LocalMessage(problem, {argument}).c_str(),
                 usage);
    return kUsageError;
}

// Reads the command line before anything of the window system is started, so that the
// help, the version and usage errors need no display. -1 to go on and open the window,
// else the exit status: 0 after the help or the version, 2 after a usage error.
// `styleNamed` and `platformNamed` tell whether Qt's -style and -platform options were given,
// `screenshot` the file that --screenshot names (empty without it).
int ReadCommandLine(int argc, char** argv, bool& styleNamed, bool& platformNamed,
                    std::string& screenshot) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-h" || argument == "--help" || argument == "-?") {
            const platform::HelpText text = platform::LocalHelp(kUsage, kHelp, ui::kTranslatedHelp);
            std::printf("%s%s", text.usage, text.help);
            return 0;
        }
        if (argument == "-v" || argument == "--version") {
            std::printf("corpometer %s\n", CORPOMETER_VERSION);
            return 0;
        }
        if (argument == "--screenshot" || argument.rfind("--screenshot=", 0) == 0) {
            if (argument != "--screenshot")
                screenshot = argument.substr(argument.find('=') + 1);
            else if (++i < argc)
                screenshot = argv[i];
            if (screenshot.empty()) return UsageError(platform::kNeedsValue, "--screenshot");
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-' || argument == "--")
            return UsageError(ui::kUnexpectedArgument, argument);
        std::string name = argument.substr(argument[1] == '-' ? 2 : 1);
        const bool valueGiven = name.find('=') != std::string::npos;
        name = name.substr(0, name.find('='));
        if (Listed(name, kQtOptionsWithValue, std::size(kQtOptionsWithValue))) {
            // Qt reads "-style=NAME" and "-qmljsdebugger=..."; the others take the next word.
            if (valueGiven && name != "style" && name != "qmljsdebugger")
                return UsageError(ui::kUnknownOption, argument);
            if (!valueGiven && name == "qmljsdebugger")
                return UsageError(ui::kNeedsEqualsValue, argument);
            if (!valueGiven && ++i >= argc) return UsageError(platform::kNeedsValue, argument);
            styleNamed = styleNamed || name == "style";
            platformNamed = platformNamed || name == "platform";
        } else if (!Listed(name, kQtFlags, std::size(kQtFlags)) || valueGiven) {
            return UsageError(ui::kUnknownOption, argument);
        }
    }
    return -1;
}

// --screenshot: the loaded window into a PNG file; the exit status.
int Screenshot(QWidget& window, const std::string& file) {
    QString error;
    if (ui::WriteScreenshot(window, QFile::decodeName(file.c_str()), error)) return 0;
    std::fprintf(stderr, "corpometer: %s: %s\n",
                 platform::LocalMessage(ui::kCannotWriteScreenshot, {file}).c_str(),
                 error.toLocal8Bit().constData());
    return 1;
}

int Main(int argc, char** argv) {
    bool styleNamed = false;
    bool platformNamed = false;
    std::string screenshot;
    if (const int status = ReadCommandLine(argc, argv, styleNamed, platformNamed, screenshot);
        status >= 0)
        return status;
    // A screenshot needs no screen: drawn on Qt's offscreen platform unless told otherwise.
    if (!screenshot.empty() && !platformNamed) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a display Qt would end the program with an abort and a core dump: say what is
    // missing and end before it is asked for a window. Qt's platform, named on the command line
    // or in QT_QPA_PLATFORM (offscreen, vnc), needs none.
    const char* qtPlatform = std::getenv("QT_QPA_PLATFORM");
    if (!platformNamed && (qtPlatform == nullptr || *qtPlatform == '\0') &&
        !platform::DisplayNamed()) {
        std::fprintf(stderr, "corpometer: %s\n", platform::LocalMessage(ui::kNoDisplay).c_str());
        return kNoDisplay;
    }
    QApplication app(argc, argv);
    ui::Translations::Install();
    QApplication::setApplicationName("Corpometer");
    // Lets a desktop match the window with the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(CORPOMETER_APP_ID);
    QApplication::setApplicationVersion(CORPOMETER_VERSION);
    // One look on every desktop, the one the artwork was drawn against, unless the user
    // asks for another with Qt's -style option.
    if (!styleNamed) QApplication::setStyle(QStyleFactory::create("Fusion"));
    controls::TakeSystemColoursFrom(QApplication::palette());
    core::SetApplicationDirectory(QCoreApplication::applicationDirPath().toStdString());
    ui::WindowFonts::RegisterBundledFonts();
    ui::DesktopDocumentOpener opener;
    core::SetDocumentOpener(&opener);

    ui::MainWindow window;
    window.Load();
    if (!screenshot.empty()) {
        const int status = Screenshot(window, screenshot);
        core::SetDocumentOpener(nullptr);
        return status;
    }
    QObject::connect(&window, &ui::MainWindow::Unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
    ui::FirstPaintReport::WatchIfAsked(&window);
    window.show();
    const int status = QApplication::exec();
    core::SetDocumentOpener(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    return Main(argc, argv);
}
