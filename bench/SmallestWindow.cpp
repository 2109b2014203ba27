// The yardstick for start-up: the smallest Qt Widgets program with a window, an application
// object and one empty widget shown, of the main window's size. With --text the widget is a
// label with one line of text, so that the font database is read and a font drawn, as in any
// window with text. With CORPOMETER_REPORT_FIRST_PAINT set it reports its first paint and
// quits, as corpometer does (see bench/startup.sh).
//
//   qt-smallest-window [--text]

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>
#include <memory>

#include "app/ui/FirstPaintReport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    const std::unique_ptr<QWidget> window =
        text ? std::make_unique<QLabel>("Corpometer") : std::make_unique<QWidget>();
    window->setWindowTitle("qt-smallest-window");
    window->resize(488, 405);
    ui::FirstPaintReport::WatchIfAsked(window.get());
    window->show();
    return QApplication::exec();
}
