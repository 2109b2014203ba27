// The menu button's popup menu and the Quick Help and About windows, on the offscreen
// platform.

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/core/Branding.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PopupMenu.h"
#include "app/ui/QuickHelpWindow.h"
#include "app/ui/SecondaryWindows.h"
#include "app/ui/SystemInfoStarter.h"
#include "controls/qt/PictureButtonWidget.h"

namespace {

// Calls `answer` with the first widget `find` returns while `action` runs its own event
// loop (a popup menu or a message box blocks until someone answers it).
void AnswerWhileRunning(const std::function<QWidget*()>& find,
                        const std::function<void(QWidget*)>& answer,
                        const std::function<void()>& action) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* widget = find()) {
            poll.stop();
            answer(widget);
        }
    });
    poll.start();
    action();
    poll.stop();
}

struct MessageSeen {
    bool Shown = false;
    QString Title, Text;
    QMessageBox::Icon Icon = QMessageBox::Information;
    QMessageBox::StandardButtons Buttons;
    Qt::WindowModality Modality = Qt::NonModal;
};

MessageSeen AnswerMessageBox(const std::function<void()>& action) {
    MessageSeen seen;
    AnswerWhileRunning([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                       [&](QWidget* widget) {
                           auto* box = static_cast<QMessageBox*>(widget);
                           seen = {true,        box->windowTitle(),     box->text(),
                                   box->icon(), box->standardButtons(), box->windowModality()};
                           box->button(QMessageBox::Ok)->click();
                       },
                       action);
    return seen;
}

// Opens the popup menu at `cursor` and clicks the item at `position` with `button`
// (position -1: dismiss with Escape). Returns the command and records the menu.
struct MenuSeen {
    int Command = -1;
    QRect Geometry;
    QStringList Texts;
};

MenuSeen ChooseFromMenu(QWidget* owner, QPoint cursor, int position, Qt::MouseButton button) {
    QCursor::setPos(cursor);
    MenuSeen seen;
    AnswerWhileRunning([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                       [&](QWidget* widget) {
                           auto* menu = static_cast<QMenu*>(widget);
                           seen.Geometry = menu->geometry();
                           for (QAction* action : menu->actions())
                               seen.Texts << action->text();
                           if (position < 0) {
                               QTest::keyClick(menu, Qt::Key_Escape);
                           } else {
                               QAction* action = menu->actions().at(position);
                               QTest::mouseClick(menu, button, {},
                                                 menu->actionGeometry(action).center());
                           }
                       },
                       [&] { seen.Command = ui::PopupMenu::ShowPopupMenu(owner); });
    return seen;
}

// Records what the About window asks of the information tool.
class FakeStarter : public ui::SystemInfoStarter {
  public:
    FakeStarter(std::string located, bool starts, QStringList* log)
        : located_(std::move(located)), starts_(starts), log_(log) {}
    std::string Locate() override {
        *log_ << QStringLiteral("locate");
        return located_;
    }
    bool Start(const std::string& file) override {
        *log_ << QStringLiteral("start ") + QString::fromStdString(file);
        return starts_;
    }

  private:
    std::string located_;
    bool starts_;
    QStringList* log_;
};

const QString kDefaultHelp = QStringLiteral(
    "\rCorpometer is very easy to use. Simply enter your weight in the left pane, and select "
    "either Pounds or Kilograms. Next, select your height in feet and inches from the list on "
    "the right. Finally, click the \"Calculate BMI button\". Your BMI Index number is "
    "displayed, and the result is color-coded  to correspond with the legend below. Match the "
    "colors to determine the range in which your BMI Index falls.\r\n\r\n The Body mass index "
    "(BMI) or Quetelet Index is a statistical measure of the weight of a person scaled "
    "according to height. It is most often used to determine the overall risk of poor "
    "health.");

const QString kDescriptionMiddle = QStringLiteral(
    " is a handy tool which you can use to quickly determine your Body Mass Index, thereby "
    "helping you to stay healthy. For more information on this and other products, Please "
    "contact us at: ");

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

}  // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        core::BrandingSettings = core::BrandingValues{};
        core::BrandingSettings.NameText = core::kDefaultNameText;
        core::BrandingSettings.Title = core::kDefaultTitle;
        owner_ = new QWidget;
        owner_->setGeometry(100, 100, 488, 405);
        owner_->show();
        QVERIFY(QTest::qWaitForWindowExposed(owner_));
        log_.clear();
        windows_ = std::make_unique<ui::SecondaryWindows>(
            owner_, [this] { return std::make_unique<FakeStarter>(located_, starts_, &log_); });
    }

    void cleanup() {
        windows_.reset();
        delete owner_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void menuOpensLeftOfTheCursorAndReturnsTheCommand() {
        const QPoint cursor(600, 300);
        const MenuSeen help = ChooseFromMenu(owner_, cursor, 0, Qt::LeftButton);
        QCOMPARE(help.Texts, (QStringList{"Quick Help", "About"}));
        QCOMPARE(help.Command, 1001);
        // The right edge is at the cursor, the top at its height.
        QCOMPARE(help.Geometry.x() + help.Geometry.width(), cursor.x());
        QCOMPARE(help.Geometry.y(), cursor.y());

        QCOMPARE(ChooseFromMenu(owner_, cursor, 1, Qt::LeftButton).Command, 1000);
        // The other mouse button chooses too.
        QCOMPARE(ChooseFromMenu(owner_, cursor, 1, Qt::RightButton).Command, 1000);
        QCOMPARE(ChooseFromMenu(owner_, cursor, 0, Qt::RightButton).Command, 1001);
        // Dismissed: no command, and nothing opens.
        QCOMPARE(ChooseFromMenu(owner_, cursor, -1, Qt::LeftButton).Command, 0);
        for (int command : {0, 1002})
            windows_->OpenCommand(command);
        QCOMPARE(owner_->findChildren<QWidget*>().size(), 0);
        // The whole sequence: choosing "About" opens it, and only it.
        QCursor::setPos(cursor);
        AnswerWhileRunning([] { return QApplication::activePopupWidget(); },
                           [](QWidget* menu) {
                               QTest::keyClick(menu, Qt::Key_Down);
                               QTest::keyClick(menu, Qt::Key_Down);
                               QTest::keyClick(menu, Qt::Key_Return);
                           },
                           [&] { windows_->RunPopupMenu(); });
        QVERIFY(windows_->About());
        QVERIFY(!windows_->QuickHelp());
    }

    void quickHelpTextAndLook() {
        ui::QuickHelpWindow* help = windows_->ShowQuickHelp();
        QCOMPARE(help->Caption(), kDefaultHelp);
        QCOMPARE(help->windowTitle(), QStringLiteral("Quick Help"));
        // Shown with the carriage returns as line breaks: an empty line first.
        QLabel* label = help->textLabel();
        QVERIFY(label->text().startsWith(QStringLiteral("\nCorpometer is very easy to use.")));
        QVERIFY(label->text().contains(QStringLiteral("color-coded  to correspond")));
        QVERIFY(label->text().contains(QStringLiteral("falls.\n\n The Body mass index")));
        QVERIFY(!label->text().contains(QLatin1Char('\r')));
        QVERIFY(label->wordWrap());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(label->font().pixelSize(), 13);  // 9.75 points at 96 dots per inch
        QCOMPARE(help->size(), QSize(312, 231));
        // Centred on its owner.
        QVERIFY(
            (help->frameGeometry().center() - owner_->frameGeometry().center()).manhattanLength() <=
            2);
        // Navy up to the far corner: the label fills the window.
        QCOMPARE(help->grab().toImage().pixelColor(311, 230), QColor(0, 0, 128));

        // A custom title starts the text, after the empty line.
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::BrandingSettings.Title = "ACME <b>BMI</b>";
        ui::QuickHelpWindow* custom = windows_->ShowQuickHelp();
        QVERIFY(custom->Caption().startsWith(QStringLiteral("\rACME <b>BMI</b> is very easy")));
        QCOMPARE(custom->Caption().mid(16), kDefaultHelp.mid(11));
        core::BrandingSettings.Title.clear();
        windows_->CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(windows_->ShowQuickHelp()->Caption().startsWith(QStringLiteral("\r is very easy")));
    }

    void aboutTextsWithDefaultBranding() {
        ui::AboutDialog* about = windows_->ShowAbout();
        QCOMPARE(about->windowTitle(), QStringLiteral("About Corpometer"));
        QCOMPARE(about->titleLabel()->text(), QStringLiteral("Corpometer"));
        QCOMPARE(about->versionLabel()->text(), QStringLiteral("Version " EXPECTED_VERSION));
        // Nothing follows the contact line: the default link is empty.
        QCOMPARE(about->descriptionLabel()->text(),
                 QStringLiteral("Corpometer") + kDescriptionMiddle);
        QCOMPARE(about->disclaimerLabel()->text(), QString());
        QCOMPARE(about->systemInfoButton()->text(), QStringLiteral("&System Info..."));
        QVERIFY(about->okButton()->isDefault());
        QVERIFY(!about->isModal());
        QVERIFY(!about->iconPicture()->pixmap().isNull());
    }

    void aboutTextsWithCustomBranding() {
        core::BrandingSettings.Title = "ACME <i>BMI</i> & Co";
        core::BrandingSettings.Link = "https://acme.example/?a=1&b=<2>";
        ui::AboutDialog* about = windows_->ShowAbout();
        QCOMPARE(about->windowTitle(), QStringLiteral("About ACME <i>BMI</i> & Co"));
        QCOMPARE(about->titleLabel()->text(), QStringLiteral("ACME <i>BMI</i> & Co"));
        QCOMPARE(about->descriptionLabel()->text(),
                 QStringLiteral("ACME <i>BMI</i> & Co") + kDescriptionMiddle +
                     QStringLiteral("https://acme.example/?a=1&b=<2>"));
        // Branding texts are never read as markup.
        for (QLabel* label : {about->titleLabel(), about->descriptionLabel()}) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
    }

    void aboutLayout() {
        ui::AboutDialog* about = windows_->ShowAbout();
        QCOMPARE(about->size(), QSize(382, 237));
        QCOMPARE(about->okButton()->geometry(), TwipsRect(4245, 2625, 1260, 345));
        QCOMPARE(about->systemInfoButton()->geometry(), TwipsRect(4260, 3075, 1245, 345));
        QVERIFY(about->descriptionLabel()->wordWrap());
        // The etched separator: grey with white just below, across the window.
        const QImage shot = about->grab().toImage();
        for (int x : {6, 100, 376}) {
            QCOMPARE(shot.pixelColor(x, 163), QColor(128, 128, 128));
        }
        for (int x : {7, 100, 376}) {
            QCOMPARE(shot.pixelColor(x, 164), QColor(Qt::white));
        }
        QVERIFY(shot.pixelColor(100, 162) != QColor(128, 128, 128));
        QVERIFY(shot.pixelColor(100, 165) != QColor(Qt::white));
    }

    void oneWindowOfEachOwnedAndOutOfTheTaskBar() {
        ui::AboutDialog* about = windows_->ShowAbout();
        QCOMPARE(windows_->ShowAbout(), about);
        ui::QuickHelpWindow* help = windows_->ShowQuickHelp();
        QCOMPARE(windows_->ShowQuickHelp(), help);
        QCOMPARE(owner_->findChildren<ui::AboutDialog*>().size(), 1);
        QCOMPARE(owner_->findChildren<ui::QuickHelpWindow*>().size(), 1);
        for (QWidget* window : std::initializer_list<QWidget*>{about, help}) {
            // A dialog of its owner: transient for it, so the task bar leaves it out.
            QCOMPARE(window->windowType(), Qt::Dialog);
            QCOMPARE(window->parentWidget(), owner_);
            QVERIFY(window->isWindow());
            QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
            QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
            // The owner stays usable: neither window blocks it.
            QVERIFY(!window->isModal());
            QCOMPARE(window->windowModality(), Qt::NonModal);
        }

        // Closed windows are loaded afresh, with texts rebuilt from the branding.
        QPointer<ui::AboutDialog> closed = about;
        about->okButton()->click();
        QVERIFY(!windows_->About());
        core::BrandingSettings.Title = "Renamed";
        ui::AboutDialog* again = windows_->ShowAbout();
        QCOMPARE(again->titleLabel()->text(), QStringLiteral("Renamed"));
        QTRY_VERIFY(closed.isNull());
        QCOMPARE(owner_->findChildren<ui::AboutDialog*>().size(), 1);

        // Closing with the main window.
        windows_->CloseAll();
        QVERIFY(!windows_->About());
        QVERIFY(!windows_->QuickHelp());
        QTRY_COMPARE(owner_->findChildren<QWidget*>().size(), 0);
    }

    void aboutClosesWithEnterAndEscape() {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            QPointer<ui::AboutDialog> about = windows_->ShowAbout();
            QVERIFY(about->okButton()->hasFocus() || !QApplication::focusWidget());
            QTest::keyClick(about, key);
            QVERIFY2(!windows_->About(), "the key should press OK");
            QTRY_VERIFY(about.isNull());
        }
        // Quick Help has no button: Escape closes it; other keys leave it open.
        QPointer<ui::QuickHelpWindow> help = windows_->ShowQuickHelp();
        QTest::keyClick(help, Qt::Key_Return);
        QTest::keyClick(help, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(windows_->QuickHelp());
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!windows_->QuickHelp());
        QTRY_VERIFY(help.isNull());
    }

    void systemInfoStartsTheLocatedTool() {
        located_ = "/opt/tools/sysinfo";
        starts_ = true;
        ui::AboutDialog* about = windows_->ShowAbout();
        const MessageSeen seen = AnswerMessageBox([&] { about->systemInfoButton()->click(); });
        QVERIFY(!seen.Shown);
        QCOMPARE(log_, (QStringList{"locate", "start /opt/tools/sysinfo"}));
        QVERIFY(windows_->About());  // the About window stays open
    }

    void systemInfoUnavailableMessage_data() {
        QTest::addColumn<QString>("located");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("no tool") << QString() << true << QStringList{"locate"};
        QTest::newRow("tool fails to start")
            << QStringLiteral("/opt/broken") << false << QStringList{"locate", "start /opt/broken"};
    }

    void systemInfoUnavailableMessage() {
        QFETCH(QString, located);
        QFETCH(bool, starts);
        QFETCH(QStringList, calls);
        located_ = located.toStdString();
        starts_ = starts;
        ui::AboutDialog* about = windows_->ShowAbout();
        const MessageSeen seen = AnswerMessageBox([&] { about->systemInfoButton()->click(); });
        QVERIFY(seen.Shown);
        QCOMPARE(seen.Text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(seen.Title, QStringLiteral("Corpometer"));
        QCOMPARE(seen.Icon, QMessageBox::NoIcon);
        QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.Modality, Qt::ApplicationModal);
        QCOMPARE(log_, calls);
    }

    void desktopStarterUsesThePath() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray savedPath = qgetenv("PATH");
        ui::SecondaryWindows desktop(owner_);

        // Nothing on PATH: the message.
        qputenv("PATH", dir.path().toLocal8Bit());
        ui::AboutDialog* about = desktop.ShowAbout();
        MessageSeen seen = AnswerMessageBox([&] { about->systemInfoButton()->click(); });
        QVERIFY(seen.Shown);

        // A tool from the list on PATH is started.
        const QString marker = dir.filePath(QStringLiteral("started"));
        QFile tool(dir.filePath(QStringLiteral("hardinfo")));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write(QStringLiteral("#!/bin/sh\necho started > '%1'\n").arg(marker).toLocal8Bit());
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        seen = AnswerMessageBox([&] { about->systemInfoButton()->click(); });
        qputenv("PATH", savedPath);
        QVERIFY(!seen.Shown);
        QTRY_VERIFY(QFile::exists(marker));
        desktop.CloseAll();
    }

    void mainWindowMenuButtonOpensAboutAndClosingTheMainWindowClosesIt() {
        ui::MainWindow main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* menuButton = main.findChild<controls::PictureButtonWidget*>("menuButton");
        QVERIFY(menuButton);
        const QPoint middle = menuButton->rect().center();
        QCursor::setPos(menuButton->mapToGlobal(middle));
        AnswerWhileRunning([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                           [](QWidget* widget) {
                               auto* menu = static_cast<QMenu*>(widget);
                               QTest::mouseClick(
                                   menu, Qt::LeftButton, {},
                                   menu->actionGeometry(menu->actions().at(1)).center());
                           },
                           [&] { QTest::mouseClick(menuButton, Qt::LeftButton, {}, middle); });
        QPointer<ui::AboutDialog> about = main.Secondary().About();
        QVERIFY(about);
        QCOMPARE(about->parentWidget(), &main);
        QPointer<ui::QuickHelpWindow> help = main.Secondary().ShowQuickHelp();
        main.close();
        QVERIFY(!about->isVisible());
        QVERIFY(!help->isVisible());
        QTRY_VERIFY(about.isNull() && help.isNull());
    }

  private:
    QWidget* owner_ = nullptr;
    std::unique_ptr<ui::SecondaryWindows> windows_;
    QStringList log_;
    std::string located_;
    bool starts_ = true;
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
