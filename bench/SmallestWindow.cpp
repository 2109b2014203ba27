// The yardstick for start-up: the smallest Qt Widgets program with a window, an application
// object and one empty widget shown, of the main window's size. With
// CORPOMETER_REPORT_FIRST_PAINT set it reports its first paint and quits, as corpometer does
// (see bench/startup.sh).

#include <QApplication>
#include <QWidget>

#include "app/ui/FirstPaintReport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("qt-smallest-window");
    window.resize(488, 405);
    FirstPaintReport::WatchIfAsked(&window);
    window.show();
    return QApplication::exec();
}
