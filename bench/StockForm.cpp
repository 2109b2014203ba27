// The second yardstick for start-up: Corpometer's window built from stock Qt widgets, as an
// ordinary Qt form would be, with nothing of Corpometer's own (no controls of its own, no
// branding, no artwork, no GIF codec). The same size, fonts and texts: three group boxes,
// the weight box, four radio buttons, a list of 36 heights, four push buttons (the menu,
// minimise and close buttons and Calculate BMI) and the legend's five swatches. With
// CORPOMETER_REPORT_FIRST_PAINT set it reports its first paint and quits, as corpometer does
// (see bench/startup.sh).

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QWidget>

#include "app/ui/FirstPaintReport.h"
#include "app/ui/WindowFonts.h"

namespace {

// Places a widget and gives it a font (family, points, bold); returns it.
template <typename Widget>
Widget* Put(Widget* widget, int x, int y, int width, int height, const char* family = "Tahoma",
            double points = 8.25, bool bold = false) {
    widget->setGeometry(x, y, width, height);
    widget->setFont(ui::WindowFonts::Font(family, points, bold));
    return widget;
}

QLabel* Swatch(QWidget* parent, int x, const QColor& colour) {
    auto* swatch = Put(new QLabel(parent), x, 370, 20, 20);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    return swatch;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    ui::WindowFonts::RegisterBundledFonts();

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle("qt-stock-form");
    window.setFixedSize(488, 405);
    window.setFont(ui::WindowFonts::Font("Tahoma", 8.25));

    Put(new QLabel("(Your company name & link or small banner here)", &window), 16, 8, 375, 60,
        "Tahoma", 17.25, true)
        ->setWordWrap(true);
    Put(new QLabel("Corpometer", &window), 398, 39, 70, 33);
    Put(new QPushButton("...", &window), 398, 11, 21, 21);
    Put(new QPushButton("_", &window), 423, 11, 21, 21);
    Put(new QPushButton("x", &window), 448, 11, 21, 21);

    auto* weight = Put(new QGroupBox("Weight", &window), 24, 88, 209, 142, "Times New Roman", 12);
    Put(new QLabel(" Enter Weight:", weight), 49, 6, 115, 16, "Verdana", 9, true);
    Put(new QLineEdit("140", weight), 17, 49, 93, 43, "Times New Roman", 26.25);
    Put(new QLabel("Lbs", weight), 122, 50, 65, 41, "Times New Roman", 26.25);
    Put(new QRadioButton("Pounds", weight), 23, 107, 62, 17)->setChecked(true);
    Put(new QRadioButton("Kilograms", weight), 117, 107, 71, 17);

    auto* height = Put(new QGroupBox("Height", &window), 245, 88, 213, 142, "Times New Roman", 12);
    Put(new QLabel("Select Height:", height), 56, 6, 104, 16, "Verdana", 9, true);
    auto* list = Put(new QListWidget(height), 17, 42, 181, 71, "Verdana", 14.25);
    for (int feet = 4; feet <= 6; ++feet) {
        for (int inches = 0; inches < 12; ++inches)
            list->addItem(inches == 0 ? QString("%1'").arg(feet)
                                      : QString("%1' %2\"").arg(feet).arg(inches));
    }
    list->setCurrentRow(20);
    Put(new QRadioButton("Feet/Inches", height), 20, 120, 82, 16)->setChecked(true);
    Put(new QRadioButton("Centimeters", height), 111, 120, 82, 16);

    auto* result =
        Put(new QGroupBox("Your BMI", &window), 24, 238, 434, 110, "Times New Roman", 12);
    Put(new QPushButton("Calculate BMI", result), 12, 36, 151, 40);
    Put(new QLabel("Your BMI is:", result), 164, 6, 104, 15, "Verdana", 9, true);
    Put(new QLabel(result), 179, 28, 241, 55, "Arial", 41.25, true);
    Put(new QLabel(result), 8, 96, 177, 17);

    const char* const bands[] = {"Underweight", "Normal", "Overweight", "Obese", "Extreme"};
    const QColor colours[] = {QColor(0, 0, 255), QColor(0, 128, 0), QColor(255, 128, 64),
                              QColor(200, 0, 0), QColor(255, 0, 0)};
    const int swatchLefts[] = {16, 127, 207, 310, 384};
    const int rangeLefts[] = {36, 149, 227, 331, 403};
    for (int band = 0; band < 5; ++band) {
        Swatch(&window, swatchLefts[band], colours[band]);
        auto* range = new QLabel(QString(" = ") + bands[band], &window);
        range->setFont(ui::WindowFonts::Font("Tahoma", 8.25, true));
        range->move(rangeLefts[band], 373);
        range->resize(range->sizeHint());
    }

    ui::FirstPaintReport::WatchIfAsked(&window);
    window.show();
    return QApplication::exec();
}
