// The windows in the user's language, on the offscreen platform. CTest runs this once per
// language, with a locale in the environment (LANG, LC_ALL or LC_MESSAGES, none of them
// generated on the machine) and the language the program must choose from it in
// EXPECTED_LANGUAGE ("de", "fr", "es", or "" for English). Each window is built twice, in
// English and translated: the translated one may not cut off a text or push one onto another
// where the English one does not.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <fstream>
#include <functional>
#include <random>

#include "app/core/Branding.h"
#include "app/core/Paths.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QuickHelpWindow.h"
#include "app/ui/SecondaryWindows.h"
#include "app/ui/SystemInfoStarter.h"
#include "app/ui/Translations.h"
#include "app/ui/WindowFonts.h"
#include "controls/qt/PictureButtonWidget.h"
#include "tools/brand/BrandScrambler.h"

namespace {

QString ShownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    return QString();
}

// What is wrong with how a window shows its texts, one line per fault: a text wider or taller
// than its box, a control reaching out of its parent, a text overlapping a sibling.
QStringList Faults(QWidget* window) {
    QStringList faults;
    const auto name = [](QWidget* widget) {
        return widget->objectName() + " \"" + ShownText(widget) + "\"";
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->isWindow()) continue;
        const QString text = ShownText(widget);
        if (auto* label = qobject_cast<QLabel*>(widget); label && !text.isEmpty()) {
            const QRect box = label->contentsRect();
            const QFontMetrics metrics = label->fontMetrics();
            if (label->wordWrap()) {
                // A single line only needs its glyphs to fit (digits have no descenders).
                const bool oneLine = metrics.horizontalAdvance(text) <= box.width();
                if (label->heightForWidth(label->width()) > label->height() &&
                    !(oneLine && metrics.tightBoundingRect(text).height() <= box.height()))
                    faults << name(label) + ": lines cut off at the bottom";
                for (const QString& word :
                     text.split(QRegularExpression("\\s"), Qt::SkipEmptyParts))
                    if (metrics.horizontalAdvance(word) > box.width())
                        faults << name(label) + ": the word " + word + " is cut off";
            } else if (label->sizeHint().width() > label->width()) {
                faults << name(label) + ": cut off at the right";
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
                   button && !text.isEmpty()) {
            if (button->sizeHint().width() > button->width())
                faults << name(button) + ": cut off at the right";
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            // The caption sits on the top edge, where a panel's heading label may cover it.
            const QFontMetrics metrics(frame->font());
            const QRect caption(0, 0, 3 + metrics.horizontalAdvance(text), metrics.height());
            if (caption.right() >= frame->width()) faults << name(frame) + ": caption cut off";
            for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisibleTo(window) && child->geometry().intersects(caption))
                    faults << name(frame) + ": caption covered by " + child->objectName();
        }
        if (QWidget* parent = widget->parentWidget();
            parent && !parent->rect().contains(widget->geometry()))
            faults << name(widget) + ": reaches out of " + parent->objectName();
        if (text.isEmpty()) continue;
        for (QObject* object : widget->parentWidget()->children()) {
            auto* sibling = qobject_cast<QWidget*>(object);
            if (sibling == nullptr || sibling == widget || !sibling->isVisibleTo(window)) continue;
            if (widget->geometry().intersects(sibling->geometry()))
                faults << name(widget) + ": overlaps " + sibling->objectName();
        }
    }
    return faults;
}

// The faults of the translated window that the English one does not have.
QStringList NewFaults(const QStringList& english, const QStringList& translated) {
    QSet<QString> known;
    for (const QString& fault : english)
        known << fault.section(' ', 0, 0) + fault.section(':', -1);
    QStringList added;
    for (const QString& fault : translated)
        if (!known.contains(fault.section(' ', 0, 0) + fault.section(':', -1))) added << fault;
    return added;
}

// Runs `action` and records the faults of the message box it shows, which is then closed.
QStringList MessageFaults(const std::function<void()>& action) {
    QStringList faults{"no message box"};
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        poll.stop();
        faults = Faults(box);
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    action();
    return faults;
}

}  // namespace

class WindowLanguagesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void theLanguageComesFromTheEnvironment();
    void noTextIsCutOffInAnyWindow();
    void noTextIsCutOffInTheMessageBoxes();
    void resultsShowTheLocalesDecimalMark();
    void legendWordsLeaveRoomBeforeTheNextSwatch();
    void theUnbrandedNameLineSpeaksTheWindowsLanguage();

  private:
    // The windows' faults with the English texts (no translation installed), then with the
    // user's language.
    template <typename Check>
    void InBothLanguages(Check check);
    ui::MainWindow& LoadWindow();
    void Calculate(const QString& weight, bool kilograms, int heightUnit, int row);

    QTemporaryDir appDir_;
    QTemporaryDir configDir_;
    QString language_;
    QList<QTranslator*> translators_;
    std::unique_ptr<ui::MainWindow> window_;
};

void WindowLanguagesTest::initTestCase() {
    QVERIFY(appDir_.isValid() && configDir_.isValid());
    qputenv("XDG_CONFIG_HOME", configDir_.path().toLocal8Bit());
    core::SetApplicationDirectory(appDir_.path().toStdString());
    ui::WindowFonts::RegisterBundledFonts();
    // A company's branding as it is typically written: the About text ends with the link.
    std::mt19937 random(7);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.NameText = brand::Scramble("ACME Health && Fitness", random);
    record.Title = brand::Scramble("ACME BMI", random);
    record.Link = brand::Scramble("https://acme.example/", random);
    record.BannerFile = brand::Scramble("", random);
    const std::string bytes = core::SerializeBrandingRecord(record);
    std::ofstream(appDir_.filePath("3.dat").toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    core::LoadBranding();

    language_ = ui::Translations::Install();
    translators_ = QCoreApplication::instance()->findChildren<QTranslator*>();
}

void WindowLanguagesTest::theLanguageComesFromTheEnvironment() {
    QCOMPARE(language_, qEnvironmentVariable("EXPECTED_LANGUAGE"));
    if (language_.isEmpty()) {
        QVERIFY(translators_.isEmpty());  // nothing of Qt's either: the window stays English
        return;
    }
    // Qt's own texts (a message box's buttons) come in the same language where the system
    // has them.
    const QString qtFile =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + language_ + ".qm";
    if (QFile::exists(qtFile))
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != "Cancel");
}

template <typename Check>
void WindowLanguagesTest::InBothLanguages(Check check) {
    for (QTranslator* translator : translators_)
        QCoreApplication::removeTranslator(translator);
    const QStringList english = check();
    for (QTranslator* translator : translators_)
        QCoreApplication::installTranslator(translator);
    const QStringList added = NewFaults(english, check());
    QVERIFY2(added.isEmpty(), qPrintable(added.join('\n')));
}

ui::MainWindow& WindowLanguagesTest::LoadWindow() {
    QFile::remove(configDir_.path() + "/Corpometer.ini");
    window_ = std::make_unique<ui::MainWindow>();
    window_->Load();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qWarning("window not exposed");
    return *window_;
}

void WindowLanguagesTest::Calculate(const QString& weight, bool kilograms, int heightUnit,
                                    int row) {
    window_->findChild<QRadioButton*>(kilograms ? "kilogramsOption" : "poundsOption")->click();
    window_->findChild<QRadioButton*>(heightUnit == 0 ? "feetInchesOption" : "centimetresOption")
        ->click();
    auto* heights = window_->findChild<QListWidget*>("heightList");
    heights->setCurrentRow(row < 0 ? heights->count() - 1 : row);
    auto* edit = window_->findChild<QLineEdit*>("weightEdit");
    edit->setText(weight);
    QTest::keyClick(edit, Qt::Key_Return);
}

void WindowLanguagesTest::noTextIsCutOffInAnyWindow() {
    InBothLanguages([this] {
        QStringList faults;
        ui::MainWindow& window = LoadWindow();
        faults << Faults(&window);
        // The widest figures: the largest BMI, and the largest ideal weight in either unit.
        Calculate("1500", false, 0, 0);
        faults << Faults(&window);
        Calculate("680", true, 1, -1);
        faults << Faults(&window);
        Calculate("1500", false, 1, -1);
        faults << Faults(&window);
        {
            ui::AboutDialog about(&window, nullptr);
            about.show();
            faults << Faults(&about);
            ui::QuickHelpWindow help(&window);
            help.show();
            faults << Faults(&help);
        }
        window_.reset();
        return faults;
    });
}

void WindowLanguagesTest::noTextIsCutOffInTheMessageBoxes() {
    InBothLanguages([this] {
        QStringList faults;
        ui::MainWindow& window = LoadWindow();
        auto* edit = window.findChild<QLineEdit*>("weightEdit");
        edit->clear();
        faults << MessageFaults([&] { QTest::keyClick(edit, Qt::Key_Return); });
        edit->setText("140");
        window.findChild<QRadioButton*>("centimetresOption")->click();  // no height row
        faults << MessageFaults([&] { QTest::keyClick(edit, Qt::Key_Return); });
        {
            ui::AboutDialog about(&window, nullptr);  // no information tool
            about.show();
            faults << MessageFaults([&] { about.StartSystemInfo(); });
        }
        window_.reset();
        return faults;
    });
}

void WindowLanguagesTest::resultsShowTheLocalesDecimalMark() {
    // 140 lbs at 5' 8": BMI 21.33, 147.68 lbs for a BMI of 22.5.
    LoadWindow();
    Calculate("140", false, 0, 20);
    const QString mark = language_.isEmpty() ? "." : ",";
    QCOMPARE(window_->findChild<QLabel*>("bmiLabel")->text(), "21" + mark + "33");
    QVERIFY2(window_->findChild<QLabel*>("idealWeightLabel")->text().contains("147" + mark + "68"),
             qPrintable(window_->findChild<QLabel*>("idealWeightLabel")->text()));
    window_.reset();
}

void WindowLanguagesTest::legendWordsLeaveRoomBeforeTheNextSwatch() {
    // Each band's words, as drawn, end at least 4 pixels before the next band's swatch (the
    // last one before the window's edge): words that run into a swatch read as the next band's.
    LoadWindow();
    QStringList crowded;
    for (int band = 0; band < 5; ++band) {
        auto* words = window_->findChild<QLabel*>(QString("legendRange%1").arg(band));
        const int end = words->x() + words->fontMetrics().horizontalAdvance(words->text());
        const int next =
            band < 4 ? window_->findChild<QLabel*>(QString("legendSwatch%1").arg(band + 1))->x()
                     : window_->width();
        if (next - end < 4)
            crowded << QString("\"%1\" ends %2 pixels before %3")
                           .arg(words->text())
                           .arg(next - end)
                           .arg(band < 4 ? "the next swatch" : "the window's edge");
    }
    window_.reset();
    QVERIFY2(crowded.isEmpty(), qPrintable(crowded.join('\n')));
}

void WindowLanguagesTest::theUnbrandedNameLineSpeaksTheWindowsLanguage() {
    // Without a branding file the name line's placeholder is the program's own text, in the
    // window's language and whole (a company's name line stays as written: see the e2e tests).
    QTemporaryDir unbranded;
    core::SetApplicationDirectory(unbranded.path().toStdString());
    InBothLanguages([this] {
        const QStringList faults = Faults(&LoadWindow());
        window_.reset();
        return faults;
    });
    LoadWindow();
    const QString line = window_->findChild<QLabel*>("brandNameLabel")->text();
    window_.reset();
    core::SetApplicationDirectory(appDir_.path().toStdString());
    core::LoadBranding();
    QCOMPARE(line == "(Your company name & link or small banner here)", language_.isEmpty());
}

QTEST_MAIN(WindowLanguagesTest)
#include "window_languages_test.moc"
