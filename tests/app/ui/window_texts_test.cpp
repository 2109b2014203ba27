// The three windows' texts on the offscreen platform: what a branding link opens, branding
// markup shown as typed, and every text readable when the desktop's palette is dark.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <utility>

#include "app/core/Branding.h"
#include "app/core/Paths.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/DesktopDocumentOpener.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QuickHelpWindow.h"
#include "app/ui/SystemInfoStarter.h"
#include "app/ui/WindowFonts.h"
#include "tools/brand/BrandScrambler.h"

namespace {

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double Luminance(const QColor& colour) {
    auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The most frequent colour of a rectangle of the rendered window: what is behind a text,
// since the text itself covers the smaller part.
QColor Behind(const QImage& shot, const QRect& area) {
    std::map<QRgb, int> counts;
    const QRect inside = area & shot.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xFF000000u];
    QRgb most = 0;
    int best = -1;
    for (const auto& [colour, count] : counts) {
        if (count > best) best = count, most = colour;
    }
    return QColor::fromRgb(most);
}

// A dark desktop: light text on dark panels, boxes and buttons.
QPalette DarkDesktop() {
    QPalette palette;
    const QColor panel(45, 45, 48), text(235, 235, 235);
    palette.setColor(QPalette::Window, panel);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::AlternateBase, panel);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(200, 200, 255));
    palette.setColor(QPalette::HighlightedText, QColor(250, 250, 250));
    palette.setColor(QPalette::Light, QColor(80, 80, 80));
    palette.setColor(QPalette::Dark, QColor(20, 20, 20));
    return palette;
}

}  // namespace

class WindowTextsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void linkTextsOpenWhatTheyName_data();
    void linkTextsOpenWhatTheyName();
    void brandingMarkupShowsAsTyped();
    void everyTextIsReadableOnADarkDesktop();
    void theResultStandsOutAndNamesItsBandOnEveryDesktop();

  private:
    void WriteBranding(const std::string& name, const std::string& title);
    // Every text of a shown window against what is rendered behind it.
    void ExpectReadable(QWidget& window);

    QTemporaryDir appDir_;
    QTemporaryDir configDir_;
};

void WindowTextsTest::initTestCase() {
    QVERIFY(appDir_.isValid() && configDir_.isValid());
    qputenv("XDG_CONFIG_HOME", configDir_.path().toLocal8Bit());
    core::SetApplicationDirectory(appDir_.path().toStdString());
    ui::WindowFonts::RegisterBundledFonts();
}

void WindowTextsTest::WriteBranding(const std::string& name, const std::string& title) {
    std::mt19937 random(3);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.NameText = brand::Scramble(name, random);
    record.Title = brand::Scramble(title, random);
    record.Link = brand::Scramble("acme.example/<bmi>", random);
    record.BannerFile = brand::Scramble("", random);
    const std::string bytes = core::SerializeBrandingRecord(record);
    std::ofstream(appDir_.filePath("3.dat").toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WindowTextsTest::linkTextsOpenWhatTheyName_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    const QString file = appDir_.filePath("price list.pdf");
    QFile(file).open(QIODevice::WriteOnly);
    QTest::newRow("https") << "https://acme.example/bmi"
                           << "https://acme.example/bmi";
    QTest::newRow("mailto") << "mailto:sales@acme.example"
                            << "mailto:sales@acme.example";
    QTest::newRow("file") << "file:///srv/price.pdf"
                          << "file:///srv/price.pdf";
    QTest::newRow("host") << "www.acme.example"
                          << "http://www.acme.example";
    QTest::newRow("host and path") << " acme.example/bmi "
                                   << "http://acme.example/bmi";
    QTest::newRow("host and port") << "acme.example:8080/bmi"
                                   << "http://acme.example:8080/bmi";
    QTest::newRow("existing file") << file << QUrl::fromLocalFile(file).toString();
    // Not a file here, whatever the current folder holds: a name is an address.
    QTest::newRow("plain name") << "price.pdf"
                                << "http://price.pdf";
    QTest::newRow("empty") << "  "
                           << "";
}

void WindowTextsTest::linkTextsOpenWhatTheyName() {
    QFETCH(QString, link);
    QFETCH(QString, opened);
    QCOMPARE(ui::DesktopDocumentOpener::TargetUrl(link).toString(), opened);
}

void WindowTextsTest::brandingMarkupShowsAsTyped() {
    WriteBranding("<b>ACME</b> <i>Sons</i>", "<i>Body</i> Check");
    ui::MainWindow window;
    window.Load();
    window.findChild<QListWidget*>("heightList")->setCurrentRow(3);
    QTest::keyClick(window.findChild<QLineEdit*>("weightEdit"), Qt::Key_Return);  // a result
    ui::AboutDialog about(&window, nullptr);
    ui::QuickHelpWindow help(&window);
    auto* name = window.findChild<QLabel*>("brandNameLabel");
    QCOMPARE(name->text(), QString("<b>ACME</b> <i>Sons</i>"));
    for (QWidget* shown : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about),
                           static_cast<QWidget*>(&help)}) {
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;  // a picture or a colour swatch
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        }
    }
}

void WindowTextsTest::ExpectReadable(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    // The text colour of whichever state the window is painted in.
    auto colour = [](QWidget* widget, QPalette::ColorRole role) {
        return std::make_pair(widget->palette().color(QPalette::Active, role),
                              widget->palette().color(QPalette::Inactive, role));
    };
    auto check = [&](QWidget* widget, std::pair<QColor, QColor> texts, QRect area,
                     const QString& what) {
        area.moveTopLeft(widget->mapTo(&window, area.topLeft()));
        const QColor behind = Behind(shot, area);
        for (const QColor& text : {texts.first, texts.second}) {
            const double ratio = Contrast(text, behind);
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QString("%1 %2: %3 on %4, %5:1")
                                    .arg(window.objectName(), what, text.name(), behind.name())
                                    .arg(ratio, 0, 'f', 2)));
        }
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        // The result's colour is its band's, the one beside it in the legend: that is its
        // meaning, the same on every desktop.
        if (label->objectName() == "bmiLabel") continue;
        check(label, colour(label, label->foregroundRole()), label->rect(), label->objectName());
    }
    for (QRadioButton* option : window.findChildren<QRadioButton*>())
        check(option, colour(option, option->foregroundRole()), option->rect(),
              option->objectName());
    for (QPushButton* button : window.findChildren<QPushButton*>())
        check(button, colour(button, QPalette::ButtonText), button->rect(), button->objectName());
    for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        const QFontMetrics metrics(frame->font());
        check(frame, colour(frame, QPalette::WindowText),
              QRect(0, 0, metrics.horizontalAdvance(frame->title()) + 8, metrics.height()),
              frame->objectName());
    }
    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        check(edit, colour(edit, QPalette::Text), edit->rect(), edit->objectName());
    for (QListWidget* list : window.findChildren<QListWidget*>()) {
        QWidget* rows = list->viewport();
        check(rows, colour(list, QPalette::Text), rows->rect(), list->objectName());
        if (QListWidgetItem* selected = list->currentItem()) {
            check(rows, colour(list, QPalette::HighlightedText), list->visualItemRect(selected),
                  list->objectName() + " selection");
        }
    }
}

void WindowTextsTest::everyTextIsReadableOnADarkDesktop() {
    WriteBranding("ACME", "Body Check");
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(DarkDesktop());
    {
        ui::MainWindow window;
        window.Load();
        window.findChild<QListWidget*>("heightList")->setCurrentRow(3);
        window.findChild<QLineEdit*>("weightEdit")->setText("150");
        QTest::keyClick(window.findChild<QLineEdit*>("weightEdit"), Qt::Key_Return);
        ExpectReadable(window);
        ui::AboutDialog about(&window, nullptr);
        about.setObjectName("AboutDialog");
        ExpectReadable(about);
        ui::QuickHelpWindow help(&window);
        help.setObjectName("QuickHelpWindow");
        ExpectReadable(help);
    }
    QApplication::setPalette(desktop);
}

void WindowTextsTest::theResultStandsOutAndNamesItsBandOnEveryDesktop() {
    WriteBranding("ACME", "Body Check");
    const QPalette desktop = QApplication::palette();
    for (const bool dark : {false, true}) {
        if (dark) QApplication::setPalette(DarkDesktop());
        ui::MainWindow window;
        window.Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* weight = window.findChild<QLineEdit*>("weightEdit");
        auto* figure = window.findChild<QLabel*>("bmiLabel");
        auto* band = window.findChild<QLabel*>("bandLabel");
        const std::pair<const char*, const char*> bands[] = {{"100", "Underweight"},
                                                             {"140", "Normal"},
                                                             {"180", "Overweight"},
                                                             {"220", "Obese"},
                                                             {"400", "Extreme"}};
        for (const auto& [typed, name] : bands) {
            weight->setText(typed);
            window.findChild<QListWidget*>("heightList")->setCurrentRow(20);
            QTest::keyClick(weight, Qt::Key_Return);
            QCOMPARE(band->text(), QString(name));
            QVERIFY(band->isVisible());
            // The figure as drawn: its glyphs in the band's shade, at least 3:1 against what
            // is around them (large bold text).
            const QImage shot = window.grab().toImage();
            QRect area = figure->rect();
            area.moveTopLeft(figure->mapTo(&window, QPoint(0, 0)));
            const QColor text = figure->palette().color(QPalette::WindowText);
            int drawn = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    drawn += QColor(shot.pixel(x, y)) == text;
            QVERIFY2(drawn > 150, qPrintable(QString("%1: %2 pixels").arg(name).arg(drawn)));
            const double ratio = Contrast(text, Behind(shot, area));
            QVERIFY2(ratio >= 3, qPrintable(QString("%1 (%2 desktop): %3 is %4:1")
                                                .arg(name, dark ? "dark" : "light", text.name())
                                                .arg(ratio, 0, 'f', 2)));
        }
    }
    QApplication::setPalette(desktop);
}

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
