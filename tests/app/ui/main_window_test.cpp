// The main window on the offscreen platform, against a temporary settings store and a
// temporary application directory.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

#include "app/core/Branding.h"
#include "app/core/DocumentOpener.h"
#include "app/core/Paths.h"
#include "app/ui/MainWindow.h"
#include "app/ui/SecondaryWindows.h"
#include "app/ui/WindowFonts.h"
#include "controls/qt/PictureButtonWidget.h"
#include "tests/app/RecordingOpener.h"
#include "tools/brand/BrandScrambler.h"

namespace {

// What a message box showed before the test closed it.
struct Message {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool shown = false;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartShowsTheDefaults();
    void controlsSitAtTheirDesignedPlaces();
    void savedInputsAreRestored_data();
    void savedInputsAreRestored();
    void calculatingShowsTheResultAndSavesTheInputsAsTyped_data();
    void calculatingShowsTheResultAndSavesTheInputsAsTyped();
    void enterInTheWeightBoxAndTheHeightListCalculates();
    void keyboardAloneCalculatesAsTheMouseDoes();
    void menuOpensFromTheKeyboardBelowItsButton();
    void screenReadersFindEveryControlByName();
    void resultIsReadWithItsBand();
    void aResultGoesWhenAnyInputChanges();
    void typingReplacesTheWeightAtStartAndAfterTab();
    void missingInputsAreReportedAndChangeNothing_data();
    void missingInputsAreReportedAndChangeNothing();
    void hugeSavedWeightIsRefused();
    void everyResultFitsItsLabel();
    void switchingTheHeightUnitRefillsTheListWithoutSelection();
    void unitOptionsSetTheWeightUnitLabel();
    void unitsComeBackWithTheRowOfTheirList_data();
    void unitsComeBackWithTheRowOfTheirList();
    void aSavedRowPastItsListSelectsNothing();
    void extremeResultsFlashUntilTheNextCalculation();
    void nameLineOpensTheLinkAndTitleLineNothing();
    void draggingTheNameLineMovesTheWindowWithoutOpeningTheLink();
    void formButtonsMinimiseAndClose();
    void escapeLeavesTheWindowOpen();
    void noTextIsCutOff();

  private:
    // A new window, loaded. Settings and "3.dat" must be in place before.
    ui::MainWindow& LoadWindow();
    void WriteSettings(const QString& weight, const QString& height);
    QString SavedSetting(const QString& key);
    void WriteBranding(const std::string& name, const std::string& title, const std::string& link);
    // Closes the next message box and records it.
    void CatchNextMessage(Message& message);
    // Clicks the Calculate picture button with the mouse.
    void ClickCalculate();

    template <typename T>
    T* Control(const char* name) {
        T* control = window_->findChild<T*>(name);
        if (!control) qFatal("no control %s", name);
        return control;
    }

    QTemporaryDir configDir_;
    std::unique_ptr<QTemporaryDir> appDir_;
    std::unique_ptr<ui::MainWindow> window_;
};

void MainWindowTest::initTestCase() {
    QVERIFY(configDir_.isValid());
    // Before the first settings access: the per-user store goes to the temporary folder.
    qputenv("XDG_CONFIG_HOME", configDir_.path().toLocal8Bit());
    ui::WindowFonts::RegisterBundledFonts();
}

void MainWindowTest::init() {
    QFile::remove(configDir_.path() + "/Corpometer.ini");
    appDir_ = std::make_unique<QTemporaryDir>();
    core::SetApplicationDirectory(appDir_->path().toStdString());
}

void MainWindowTest::cleanup() {
    window_.reset();
    core::SetDocumentOpener(nullptr);
}

ui::MainWindow& MainWindowTest::LoadWindow() {
    window_ = std::make_unique<ui::MainWindow>();
    window_->Load();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qWarning("window not exposed");
    return *window_;
}

void MainWindowTest::WriteSettings(const QString& weight, const QString& height) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Corpometer");
    settings.beginGroup("Settings");
    if (!weight.isNull()) settings.setValue("Weight", weight);
    if (!height.isNull()) settings.setValue("Height", height);
}

QString MainWindowTest::SavedSetting(const QString& key) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Corpometer");
    return settings.value("Settings/" + key).toString();
}

void MainWindowTest::WriteBranding(const std::string& name, const std::string& title,
                                   const std::string& link) {
    std::mt19937 random(7);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.NameText = brand::Scramble(name, random);
    record.Title = brand::Scramble(title, random);
    record.Link = brand::Scramble(link, random);
    record.BannerFile = brand::Scramble("", random);
    const std::string bytes = core::SerializeBrandingRecord(record);
    std::ofstream(appDir_->filePath("3.dat").toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MainWindowTest::CatchNextMessage(Message& message) {
    // A message box runs its own loop; close it from inside that loop.
    QTimer::singleShot(0, this, [&message] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        message = {box->text(), box->windowTitle(), box->icon(), true};
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        box->accept();
    });
}

void MainWindowTest::ClickCalculate() {
    auto* button = Control<controls::PictureButtonWidget>("calculateButton");
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
}

void MainWindowTest::firstStartShowsTheDefaults() {
    ui::MainWindow& window = LoadWindow();
    QCOMPARE(window.windowTitle(), QString("Corpometer"));
    QCOMPARE(window.size(), QSize(488, 405));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Control<QLineEdit>("weightEdit")->text(), QString("140"));
    QVERIFY(Control<QRadioButton>("poundsOption")->isChecked());
    QVERIFY(Control<QRadioButton>("feetInchesOption")->isChecked());
    auto* list = Control<QListWidget>("heightList");
    QCOMPARE(list->count(), 36);
    QCOMPARE(list->currentRow(), 20);
    QCOMPARE(list->currentItem()->text(), QString("5' 8\""));
    QCOMPARE(Control<QLabel>("brandNameLabel")->text(),
             QString("(Your company name & link or small banner here)"));
    QCOMPARE(Control<QLabel>("brandTitleLabel")->text(), QString("Corpometer"));
    QCOMPARE(Control<QLabel>("brandNameLabel")->font().pixelSize(), ui::WindowFonts::PixelsOf(17));
    QCOMPARE(Control<QLabel>("brandTitleLabel")->font().pixelSize(), ui::WindowFonts::PixelsOf(8));
    auto* banner = Control<QLabel>("bannerPicture");
    QVERIFY(!banner->isVisible());
    QVERIFY(!banner->isEnabled());
    QCOMPARE(banner->pos(), Control<QLabel>("brandNameLabel")->pos());
    QCOMPARE(Control<QLabel>("weightUnitLabel")->text(), QString("Lbs"));
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), QString());
    QCOMPARE(Control<QLabel>("idealWeightLabel")->text(), QString());
    // Loading reads the store but writes nothing.
    QVERIFY(!QFile::exists(configDir_.path() + "/Corpometer.ini"));
}

void MainWindowTest::controlsSitAtTheirDesignedPlaces() {
    LoadWindow();
    // Twips over 15, rounded.
    QCOMPARE(Control<QLabel>("brandNameLabel")->geometry(), QRect(16, 8, 375, 60));
    QCOMPARE(Control<QGroupBox>("weightPanel")->geometry(), QRect(24, 88, 209, 142));
    QCOMPARE(Control<QGroupBox>("heightPanel")->geometry(), QRect(245, 88, 213, 142));
    QCOMPARE(Control<QGroupBox>("resultPanel")->geometry(), QRect(24, 238, 434, 110));
    QCOMPARE(Control<QLineEdit>("weightEdit")->geometry(), QRect(17, 49, 93, 43));
    QCOMPARE(Control<QListWidget>("heightList")->geometry(), QRect(17, 42, 181, 71));
    QCOMPARE(Control<QLabel>("bmiLabel")->geometry(), QRect(179, 28, 241, 55));
    // The legend's first band where designed; the others move along where the words before
    // them need the room (the window-language tests measure it).
    QCOMPARE(Control<QLabel>("legendSwatch0")->geometry(), QRect(16, 370, 20, 20));
    QCOMPARE(Control<QLabel>("legendRange0")->text(), QString(" = Underweight"));
    QCOMPARE(Control<QLabel>("legendRange0")->pos(), QPoint(36, 373));

    // The picture buttons take the size of their pictures from the resources.
    auto* calculate = Control<controls::PictureButtonWidget>("calculateButton");
    QCOMPARE(calculate->geometry(), QRect(12, 36, 151, 40));
    QVERIFY(calculate->Control().Picture());
    QVERIFY(calculate->Control().PictureHover());
    QVERIFY(calculate->Control().PictureDown());
    for (const char* name : {"menuButton", "minimizeButton", "closeButton"}) {
        auto* button = Control<controls::PictureButtonWidget>(name);
        QCOMPARE(button->size(), QSize(21, 21));
        QVERIFY(button->Control().PictureDown());
    }
    QCOMPARE(Control<controls::PictureButtonWidget>("closeButton")->pos(), QPoint(448, 11));

    // The legend swatches carry the band colours; the result label its font.
    QCOMPARE(Control<QLabel>("legendSwatch2")->palette().color(QPalette::Window),
             QColor(255, 128, 64));
    QCOMPARE(Control<QLabel>("bmiLabel")->font().pixelSize(), 55);
    QVERIFY(Control<QLabel>("bmiLabel")->font().bold());
    QCOMPARE(Control<QLabel>("idealWeightLabel")->palette().color(QPalette::WindowText),
             QColor(96, 96, 96));
    QCOMPARE(Control<QLabel>("brandNameLabel")->cursor().shape(), Qt::PointingHandCursor);
}

void MainWindowTest::savedInputsAreRestored_data() {
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("shownWeight");
    QTest::addColumn<int>("row");
    QTest::newRow("typed text kept") << "72,5 kg"
                                     << "10"
                                     << "72,5 kg" << 10;
    QTest::newRow("centimetre row past the list") << "140"
                                                  << "40"
                                                  << "140" << -1;
    QTest::newRow("half rounds to even") << "60"
                                         << "20.5"
                                         << "60" << 20;
    QTest::newRow("not a number reads 0") << ""
                                          << "tall"
                                          << "" << 0;
    QTest::newRow("negative") << "9"
                              << "-3"
                              << "9" << -1;
    QTest::newRow("height missing") << "88" << QString() << "88" << 20;
    // Settings files are read up to 64 KiB: long values, but within a file that is read.
    QTest::newRow("height of 60000 digits") << "88" << QString(60000, '9') << "88" << -1;
    QTest::newRow("height of control bytes") << "88" << QString("\x01\x7f") << "88" << 0;
    // The weight box holds at most 32767 characters, as every line edit does.
    QTest::newRow("weight of 60000 digits")
        << QString(60000, '7') << "3" << QString(32767, '7') << 3;
}

void MainWindowTest::savedInputsAreRestored() {
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, shownWeight);
    QFETCH(int, row);
    WriteSettings(weight, height);
    LoadWindow();
    QCOMPARE(Control<QLineEdit>("weightEdit")->text(), shownWeight);
    QCOMPARE(Control<QListWidget>("heightList")->currentRow(), row);
    QCOMPARE(Control<QListWidget>("heightList")->selectedItems().size(), row < 0 ? 0 : 1);
}

void MainWindowTest::calculatingShowsTheResultAndSavesTheInputsAsTyped_data() {
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("kilograms");
    QTest::addColumn<bool>("centimetres");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("bmi");
    QTest::addColumn<QString>("ideal");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("defaults") << "140" << false << false << 20 << "21.33"
                              << "Weight for 22.5 BMI : 147.68 lbs" << QColor(0, 128, 0);
    QTest::newRow("kilograms") << "70" << true << false << 21 << "22.79"
                               << "Weight for 22.5 BMI : 69.12 kgs." << QColor(0, 128, 0);
    QTest::newRow("centimetres") << "70" << true << true << 54 << "22.86"
                                 << "Weight for 22.5 BMI : 68.91 kgs." << QColor(0, 128, 0);
    QTest::newRow("decimal comma") << "70,5" << true << true << 54 << "23.02"
                                   << "Weight for 22.5 BMI : 68.91 kgs." << QColor(0, 128, 0);
    QTest::newRow("underweight") << " 100 " << false << false << 20 << "15.24"
                                 << "Weight for 22.5 BMI : 147.68 lbs" << QColor(0, 0, 255);
    // The legend's orange would stand out 1.9:1 on the panel: the figure takes a darker shade.
    QTest::newRow("overweight") << "180" << false << false << 20 << "27.42"
                                << "Weight for 22.5 BMI : 147.68 lbs" << QColor(191, 96, 48);
    QTest::newRow("obese") << "220" << false << false << 20 << "33.52"
                           << "Weight for 22.5 BMI : 147.68 lbs" << QColor(200, 0, 0);
}

void MainWindowTest::calculatingShowsTheResultAndSavesTheInputsAsTyped() {
    QFETCH(QString, weight);
    QFETCH(bool, kilograms);
    QFETCH(bool, centimetres);
    QFETCH(int, row);
    QFETCH(QString, bmi);
    QFETCH(QString, ideal);
    QFETCH(QColor, colour);
    LoadWindow();
    if (kilograms) QTest::mouseClick(Control<QRadioButton>("kilogramsOption"), Qt::LeftButton);
    if (centimetres) QTest::mouseClick(Control<QRadioButton>("centimetresOption"), Qt::LeftButton);
    Control<QLineEdit>("weightEdit")->setText(weight);
    Control<QListWidget>("heightList")->setCurrentRow(row);
    ClickCalculate();
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), bmi);
    QCOMPARE(Control<QLabel>("idealWeightLabel")->text(), ideal);
    QCOMPARE(Control<QLabel>("bmiLabel")->palette().color(QPalette::WindowText), colour);
    QCOMPARE(SavedSetting("Weight"), weight);
    QCOMPARE(SavedSetting("Height"), QString::number(row));
}

void MainWindowTest::enterInTheWeightBoxAndTheHeightListCalculates() {
    LoadWindow();
    QTest::keyClick(Control<QLineEdit>("weightEdit"), Qt::Key_Return);
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), QString("21.33"));
    auto* list = Control<QListWidget>("heightList");
    list->setCurrentRow(35);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), QString("14.32"));
}

void MainWindowTest::keyboardAloneCalculatesAsTheMouseDoes() {
    ui::MainWindow& window = LoadWindow();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* weight = Control<QLineEdit>("weightEdit");
    QCOMPARE(QApplication::focusWidget(), weight);

    // Tab runs through the panels, then Calculate, then the strip's buttons, and back.
    const QStringList order = {"poundsOption",    "heightList", "feetInchesOption",
                               "calculateButton", "menuButton", "minimizeButton",
                               "closeButton",     "weightEdit"};
    QStringList visited;
    for (int step = 0; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);

    // Weight 200 in pounds, 5' 8" (row 20), Calculate with Space: obese.
    weight->selectAll();
    QTest::keyClicks(weight, "200");
    QTest::keyClick(weight, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* list = Control<QListWidget>("heightList");
    QCOMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 20);
    QTest::keyClick(list, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* calculate = Control<controls::PictureButtonWidget>("calculateButton");
    QCOMPARE(QApplication::focusWidget(), calculate);
    QTest::keyClick(calculate, Qt::Key_Space);
    auto* result = Control<QLabel>("bmiLabel");
    QCOMPARE(result->text(), QString("30.47"));
    const QColor byKeyboard = result->palette().color(QPalette::WindowText);

    result->clear();
    ClickCalculate();
    QCOMPARE(result->text(), QString("30.47"));
    QCOMPARE(byKeyboard, result->palette().color(QPalette::WindowText));
    QCOMPARE(byKeyboard, QColor(200, 0, 0));

    // The strip's buttons too: Enter on the minimise button minimises.
    Control<controls::PictureButtonWidget>("minimizeButton")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(window.windowState() & Qt::WindowMinimized);
}

void MainWindowTest::menuOpensFromTheKeyboardBelowItsButton() {
    ui::MainWindow& window = LoadWindow();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCursor::setPos(window.mapToGlobal(QPoint(200, 200)));  // away from the button
    auto* button = Control<controls::PictureButtonWidget>("menuButton");
    button->setFocus(Qt::TabFocusReason);
    QRect menuGeometry;
    QTimer::singleShot(0, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        menuGeometry = menu->geometry();
        QTest::keyClick(menu, Qt::Key_Escape);
    });
    QTest::keyClick(button, Qt::Key_Space);
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    QCOMPARE(menuGeometry.topLeft() + QPoint(menuGeometry.width(), 0), corner);
    QVERIFY(!window.Secondary().About() && !window.Secondary().QuickHelp());
}

void MainWindowTest::screenReadersFindEveryControlByName() {
    WriteBranding("ACME && Sons", "Body Check", "https://acme.example/bmi");
    RecordingOpener opener;
    core::SetDocumentOpener(&opener);
    ui::MainWindow& window = LoadWindow();
    const auto name = [](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    };
    const auto role = [](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->role();
    };

    // Whatever a user can reach with Tab or click has a name, in this window and in the two
    // it opens: a new control without one fails here.
    window.Secondary().ShowAbout();
    window.Secondary().ShowQuickHelp();
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible()) continue;
        const bool focusable = widget->focusPolicy() & Qt::TabFocus;
        const bool clickable = widget->metaObject()->indexOfSignal("Click()") >= 0 ||
                               widget->metaObject()->indexOfSignal("clicked(bool)") >= 0;
        if (!focusable && !clickable) continue;
        QVERIFY2(!name(widget).trimmed().isEmpty(), qPrintable(widget->objectName()));
        ++checked;
    }
    // At least the 4 picture buttons, 6 inputs, the name and title lines and About's buttons.
    QVERIFY(checked >= 14);
    window.Secondary().CloseAll();

    const QStringList buttons = {"calculateButton", "menuButton", "minimizeButton", "closeButton"};
    const QStringList names = {"Calculate BMI", "Menu", "Minimize", "Close"};
    for (int index = 0; index < buttons.size(); ++index) {
        QWidget* button = Control<QWidget>(qPrintable(buttons[index]));
        QCOMPARE(name(button), names[index]);
        QCOMPARE(role(button), QAccessible::Button);
    }
    // The input boxes by their captions, as a person says them (no blanks around, no colon),
    // the swatches by their bands.
    QCOMPARE(name(Control<QLineEdit>("weightEdit")), QString("Enter Weight"));
    QCOMPARE(name(Control<QListWidget>("heightList")), QString("Select Height"));
    QCOMPARE(name(Control<QLabel>("legendSwatch0")), QString("Underweight"));
    QCOMPARE(name(Control<QLabel>("legendSwatch4")), QString("Extreme"));

    // The name line is a link named by its text; its press action opens the link.
    QLabel* nameLine = Control<QLabel>("brandNameLabel");
    QCOMPARE(role(nameLine), QAccessible::Link);
    QCOMPARE(name(nameLine), QString("ACME & Sons"));
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(nameLine)->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(opener.opened, std::vector<std::string>{"https://acme.example/bmi"});
    QCOMPARE(role(Control<QLabel>("brandTitleLabel")), QAccessible::StaticText);

    // Pressing Calculate the screen reader's way calculates.
    QAccessible::queryAccessibleInterface(Control<QWidget>("calculateButton"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(Control<QLabel>("bmiLabel")->text(), QString("21.33"));
}

void MainWindowTest::missingInputsAreReportedAndChangeNothing_data() {
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("kilograms");
    QTest::addColumn<bool>("selectRow");
    QTest::addColumn<QString>("message");
    const QString pounds = "Please specify a weight between 10 and 1500 lbs.";
    QTest::newRow("empty") << "" << false << true << "Please specify weight";
    QTest::newRow("zero") << "0" << false << true << "Please specify weight";
    QTest::newRow("negative") << "-70" << false << true << "Please specify weight";
    QTest::newRow("letters") << "heavy" << false << true << "Please specify weight";
    QTest::newRow("unit typed in") << "80kg" << false << true << "Please specify weight";
    QTest::newRow("two decimal marks") << "70.5.3" << false << true << "Please specify weight";
    QTest::newRow("two numbers") << "7 0" << false << true << "Please specify weight";
    QTest::newRow("one pound") << "1" << false << true << pounds;
    QTest::newRow("past the double range") << "1e400" << false << true << pounds;
    QTest::newRow("a million kilograms")
        << "999999" << true << true << "Please specify a weight between 4.6 and 681.8 kgs.";
    QTest::newRow("no row") << "150" << false << false << "Please specify height";
    QTest::newRow("both: weight first") << "" << false << false << "Please specify weight";
    QTest::newRow("out of range before no row") << "2000" << false << false << pounds;
}

void MainWindowTest::missingInputsAreReportedAndChangeNothing() {
    QFETCH(QString, weight);
    QFETCH(bool, kilograms);
    QFETCH(bool, selectRow);
    QFETCH(QString, message);
    LoadWindow();
    // A first, extreme result: changing an input takes it away, flashing included, and the
    // refused input brings nothing back.
    Control<QLineEdit>("weightEdit")->setText("400");
    ClickCalculate();
    const QString savedWeight = SavedSetting("Weight");

    if (kilograms) QTest::mouseClick(Control<QRadioButton>("kilogramsOption"), Qt::LeftButton);
    Control<QLineEdit>("weightEdit")->setText(weight);
    if (!selectRow) Control<QListWidget>("heightList")->clear();
    Message shown;
    CatchNextMessage(shown);
    ClickCalculate();
    QVERIFY(shown.shown);
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.caption, QString("Corpometer"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    for (const char* result : {"bmiLabel", "bandLabel", "idealWeightLabel"})
        QCOMPARE(Control<QLabel>(result)->text(), QString());
    QVERIFY(!Control<QTimer>("flashTimer")->isActive());
    QCOMPARE(SavedSetting("Weight"), savedWeight);
    QCOMPARE(SavedSetting("Height"), QString("20"));
}

void MainWindowTest::hugeSavedWeightIsRefused() {
    WriteSettings(QString(60000, '9'), "20");
    LoadWindow();
    Message shown;
    CatchNextMessage(shown);
    ClickCalculate();
    QVERIFY(shown.shown);
    QCOMPARE(shown.text, QString("Please specify a weight between 10 and 1500 lbs."));
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), QString());
}

void MainWindowTest::everyResultFitsItsLabel() {
    // The lightest and heaviest weights accepted, at the shortest and tallest rows of both
    // lists: the figure and the ideal-weight line are shown whole.
    LoadWindow();
    auto* weight = Control<QLineEdit>("weightEdit");
    auto* list = Control<QListWidget>("heightList");
    const auto fits = [](QLabel* label) {
        return label->fontMetrics().horizontalAdvance(label->text()) <=
               label->contentsRect().width();
    };
    for (const char* unit : {"feetInchesOption", "centimetresOption"}) {
        QTest::mouseClick(Control<QRadioButton>(unit), Qt::LeftButton);
        for (const char* weightUnit : {"poundsOption", "kilogramsOption"}) {
            QTest::mouseClick(Control<QRadioButton>(weightUnit), Qt::LeftButton);
            const bool kilograms = QString(weightUnit) == "kilogramsOption";
            for (const char* typed : {kilograms ? "4.6" : "10", kilograms ? "681.8" : "1500"}) {
                for (int row : {0, list->count() - 1}) {
                    weight->setText(typed);
                    list->setCurrentRow(row);
                    ClickCalculate();
                    for (const char* name : {"bmiLabel", "idealWeightLabel"}) {
                        auto* label = Control<QLabel>(name);
                        QVERIFY2(!label->text().isEmpty() && fits(label),
                                 qPrintable(QString("%1 at row %2: %3 \"%4\"")
                                                .arg(typed)
                                                .arg(row)
                                                .arg(name, label->text())));
                    }
                }
            }
        }
    }
}

void MainWindowTest::switchingTheHeightUnitRefillsTheListWithoutSelection() {
    LoadWindow();
    auto* list = Control<QListWidget>("heightList");
    QTest::mouseClick(Control<QRadioButton>("centimetresOption"), Qt::LeftButton);
    QCOMPARE(list->count(), 91);
    QCOMPARE(list->item(0)->text(), QString("121 cm"));
    QCOMPARE(list->currentRow(), -1);
    Message shown;
    CatchNextMessage(shown);
    ClickCalculate();
    QCOMPARE(shown.text, QString("Please specify height"));

    list->setCurrentRow(3);
    QTest::mouseClick(Control<QRadioButton>("feetInchesOption"), Qt::LeftButton);
    QCOMPARE(list->count(), 36);
    QCOMPARE(list->currentRow(), -1);
    // Clicking the option already chosen keeps the row.
    list->setCurrentRow(5);
    QTest::mouseClick(Control<QRadioButton>("feetInchesOption"), Qt::LeftButton);
    QCOMPARE(list->currentRow(), 5);
}

void MainWindowTest::unitOptionsSetTheWeightUnitLabel() {
    LoadWindow();
    auto* unit = Control<QLabel>("weightUnitLabel");
    QTest::mouseClick(Control<QRadioButton>("kilogramsOption"), Qt::LeftButton);
    QCOMPARE(unit->text(), QString("Kgs."));
    QTest::mouseClick(Control<QRadioButton>("poundsOption"), Qt::LeftButton);
    QCOMPARE(unit->text(), QString("Lbs."));
}

void MainWindowTest::unitsComeBackWithTheRowOfTheirList_data() {
    QTest::addColumn<bool>("kilograms");
    QTest::addColumn<bool>("centimetres");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("bmi");
    // Row 34 of the centimetre list is 155 cm; of the feet list it would be 6' 10".
    QTest::newRow("kilograms at centimetres") << true << true << "50" << 34 << "20.81";
    // Row 59 (180 cm) is past the end of the feet list.
    QTest::newRow("heavy at a tall centimetre row") << true << true << "100" << 59 << "30.86";
    QTest::newRow("pounds at feet and inches") << false << false << "150" << 21 << "22.2";
}

void MainWindowTest::unitsComeBackWithTheRowOfTheirList() {
    QFETCH(bool, kilograms);
    QFETCH(bool, centimetres);
    QFETCH(QString, weight);
    QFETCH(int, row);
    QFETCH(QString, bmi);
    LoadWindow();
    if (kilograms) QTest::mouseClick(Control<QRadioButton>("kilogramsOption"), Qt::LeftButton);
    if (centimetres) QTest::mouseClick(Control<QRadioButton>("centimetresOption"), Qt::LeftButton);
    Control<QLineEdit>("weightEdit")->setText(weight);
    Control<QListWidget>("heightList")->setCurrentRow(row);
    ClickCalculate();
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), bmi);

    LoadWindow();  // the next start
    QCOMPARE(Control<QRadioButton>("kilogramsOption")->isChecked(), kilograms);
    QCOMPARE(Control<QRadioButton>("centimetresOption")->isChecked(), centimetres);
    QCOMPARE(Control<QLabel>("weightUnitLabel")->text(), QString(kilograms ? "Kgs." : "Lbs"));
    QCOMPARE(Control<QListWidget>("heightList")->count(), centimetres ? 91 : 36);
    QCOMPARE(Control<QListWidget>("heightList")->currentRow(), row);
    ClickCalculate();
    QCOMPARE(Control<QLabel>("bmiLabel")->text(), bmi);
}

void MainWindowTest::aSavedRowPastItsListSelectsNothing() {
    // A row of the centimetre list saved with the feet unit (as an older start wrote it) is
    // never taken as a row of the other list; unknown unit names start as a first start.
    WriteSettings("150", "60");
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Corpometer");
        settings.setValue("Settings/HeightUnit", "FeetInches");
        settings.setValue("Settings/WeightUnit", "Stones");
    }
    LoadWindow();
    QVERIFY(Control<QRadioButton>("poundsOption")->isChecked());
    QCOMPARE(Control<QListWidget>("heightList")->count(), 36);
    QCOMPARE(Control<QListWidget>("heightList")->currentRow(), -1);
}

void MainWindowTest::extremeResultsFlashUntilTheNextCalculation() {
    ui::MainWindow& window = LoadWindow();
    auto* bmi = Control<QLabel>("bmiLabel");
    auto colour = [bmi] { return bmi->palette().color(QPalette::WindowText); };
    auto* flash = Control<QTimer>("flashTimer");
    QCOMPARE(flash->interval(), 250);
    QVERIFY(!flash->isActive());

    Control<QLineEdit>("weightEdit")->setText("400");
    ClickCalculate();
    QCOMPARE(bmi->text(), QString("60.94"));
    QVERIFY(flash->isActive());
    QCOMPARE(colour(), QColor(255, 0, 0));

    // The phase starts false: bright, dark, bright, ...
    window.FlashTimerTick();
    QCOMPARE(colour(), QColor(255, 0, 0));
    window.FlashTimerTick();
    QCOMPARE(colour(), QColor(175, 0, 0));
    window.FlashTimerTick();
    QCOMPARE(colour(), QColor(255, 0, 0));
    // Ticking on its own, it changes the colour.
    QTRY_COMPARE_WITH_TIMEOUT(colour(), QColor(175, 0, 0), 2000);

    // Another extreme result keeps flashing; the phase carries on.
    ClickCalculate();
    QVERIFY(flash->isActive());

    Control<QLineEdit>("weightEdit")->setText("140");
    ClickCalculate();
    QVERIFY(!flash->isActive());
    QCOMPARE(colour(), QColor(0, 128, 0));
}

void MainWindowTest::nameLineOpensTheLinkAndTitleLineNothing() {
    // "&&" shows one ampersand, as in the built-in name line; a single one shows as typed.
    WriteBranding("ACME && Sons", "Body & Mind", "https://acme.example/bmi");
    RecordingOpener opener;
    core::SetDocumentOpener(&opener);
    LoadWindow();
    QCOMPARE(Control<QLabel>("brandNameLabel")->text(), QString("ACME & Sons"));
    QCOMPARE(Control<QLabel>("brandTitleLabel")->text(), QString("Body & Mind"));

    QTest::mouseClick(Control<QLabel>("brandTitleLabel"), Qt::LeftButton);
    QVERIFY(opener.opened.empty());
    QTest::mouseClick(Control<QLabel>("brandNameLabel"), Qt::LeftButton);
    QCOMPARE(opener.opened, std::vector<std::string>{"https://acme.example/bmi"});
    // A right click is no click.
    QTest::mouseClick(Control<QLabel>("brandNameLabel"), Qt::RightButton);
    QCOMPARE(opener.opened.size(), size_t(1));
}

void MainWindowTest::draggingTheNameLineMovesTheWindowWithoutOpeningTheLink() {
    WriteBranding("ACME", "BMI", "https://acme.example/bmi");
    RecordingOpener opener;
    core::SetDocumentOpener(&opener);
    ui::MainWindow& window = LoadWindow();
    const QPoint before = window.pos();
    auto* name = Control<QLabel>("brandNameLabel");
    const QPoint grip(30, 20);
    QTest::mousePress(name, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(name, grip + QPoint(40, 30));
    QTest::mouseRelease(name, Qt::LeftButton, Qt::NoModifier, grip + QPoint(40, 30));
    QCOMPARE(window.pos(), before + QPoint(40, 30));
    QVERIFY(opener.opened.empty());
}

void MainWindowTest::formButtonsMinimiseAndClose() {
    ui::MainWindow& window = LoadWindow();
    QSignalSpy unloaded(&window, &ui::MainWindow::Unloaded);
    auto* secondary = new QWidget(&window, Qt::Window);  // a window the main window owns
    secondary->show();

    QTest::mouseClick(Control<controls::PictureButtonWidget>("minimizeButton"), Qt::LeftButton,
                      Qt::NoModifier, QPoint(10, 10));
    QVERIFY(window.windowState() & Qt::WindowMinimized);
    QCOMPARE(unloaded.count(), 0);

    window.showNormal();
    QTest::mouseClick(Control<controls::PictureButtonWidget>("closeButton"), Qt::LeftButton,
                      Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY(!secondary->isVisible());
}

void MainWindowTest::escapeLeavesTheWindowOpen() {
    ui::MainWindow& window = LoadWindow();
    QSignalSpy unloaded(&window, &ui::MainWindow::Unloaded);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(Control<QLineEdit>("weightEdit"), Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(unloaded.count(), 0);
    QCOMPARE(Control<QLineEdit>("weightEdit")->text(), QString("140"));
}

void MainWindowTest::noTextIsCutOff() {
    // The fonts here are stand-ins for the designed ones and some run wider: every text must
    // still fit its fixed box, with the longest results the calculator can show.
    ui::MainWindow& window = LoadWindow();
    Control<QLabel>("idealWeightLabel")->setText("Weight for 22.5 BMI : 888.88 kgs.");
    Control<QLabel>("bmiLabel")->setText("188.88");
    Control<QLabel>("bandLabel")->setText("Underweight");
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const int width = label->contentsRect().width();
        if (label->wordWrap()) {
            // Wrapped lines must all fit below each other (a single line only needs its
            // glyphs to fit: the result's digits have no descenders), and no single word may
            // be wider than the box.
            const QFontMetrics metrics = label->fontMetrics();
            const bool oneLine = metrics.horizontalAdvance(label->text()) <= width;
            QVERIFY2(label->heightForWidth(label->width()) <= label->height() ||
                         (oneLine && metrics.tightBoundingRect(label->text()).height() <=
                                         label->contentsRect().height()),
                     qPrintable(label->objectName()));
            for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts)) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(word) <= width,
                         qPrintable(label->objectName() + ": " + word));
            }
        } else {
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        }
    }
    for (QRadioButton* option : window.findChildren<QRadioButton*>()) {
        QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->objectName()));
    }
}

void MainWindowTest::resultIsReadWithItsBand() {
    // (Announcing each change to screen readers is checked against the real AT-SPI bus: the
    // offscreen platform has no accessibility bridge.)
    LoadWindow();
    const auto spoken = [this] {
        return QAccessible::queryAccessibleInterface(Control<QLabel>("bmiLabel"))
            ->text(QAccessible::Name);
    };
    Control<QLineEdit>("weightEdit")->setText("200");
    ClickCalculate();
    QCOMPARE(spoken(), QString("30.47, Obese"));
    Control<QLineEdit>("weightEdit")->setText("100");
    ClickCalculate();
    QCOMPARE(spoken(), QString("15.24, Underweight"));
    QCOMPARE(Control<QLabel>("bandLabel")->text(), QString("Underweight"));
    // A changed input takes the result away, and the screen reader hears that too.
    Control<QLineEdit>("weightEdit")->clear();
    QVERIFY2(!spoken().contains("15.24") && !spoken().contains("Underweight"),
             qPrintable(spoken()));
    Message message;
    CatchNextMessage(message);
    ClickCalculate();
    QVERIFY(message.shown);
    QVERIFY2(!spoken().contains("15.24"), qPrintable(spoken()));
}

void MainWindowTest::aResultGoesWhenAnyInputChanges() {
    LoadWindow();
    const std::vector<std::function<void()>> changes = {
        [this] { QTest::keyClick(Control<QLineEdit>("weightEdit"), Qt::Key_5); },
        [this] { QTest::mouseClick(Control<QRadioButton>("kilogramsOption"), Qt::LeftButton); },
        [this] { QTest::mouseClick(Control<QRadioButton>("poundsOption"), Qt::LeftButton); },
        [this] { QTest::keyClick(Control<QListWidget>("heightList"), Qt::Key_Down); },
        [this] { QTest::mouseClick(Control<QRadioButton>("centimetresOption"), Qt::LeftButton); },
    };
    for (std::size_t change = 0; change < changes.size(); ++change) {
        Control<QLineEdit>("weightEdit")->setText("400");
        if (Control<QListWidget>("heightList")->currentRow() < 0)
            Control<QListWidget>("heightList")->setCurrentRow(20);
        ClickCalculate();
        QVERIFY(!Control<QLabel>("bmiLabel")->text().isEmpty());
        QVERIFY(Control<QTimer>("flashTimer")->isActive());
        changes[change]();
        for (const char* result : {"bmiLabel", "bandLabel", "idealWeightLabel"})
            QVERIFY2(Control<QLabel>(result)->text().isEmpty(),
                     qPrintable(QString::number(change)));
        QVERIFY(!Control<QTimer>("flashTimer")->isActive());
    }
}

void MainWindowTest::typingReplacesTheWeightAtStartAndAfterTab() {
    ui::MainWindow& window = LoadWindow();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* weight = Control<QLineEdit>("weightEdit");
    QCOMPARE(QApplication::focusWidget(), weight);
    QTest::keyClicks(weight, "99");
    QCOMPARE(weight->text(), QString("99"));
    // Round the window with Tab and back into the box: typing replaces again.
    weight->setCursorPosition(1);
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (QApplication::focusWidget() != weight);
    QTest::keyClicks(weight, "180");
    QCOMPARE(weight->text(), QString("180"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
