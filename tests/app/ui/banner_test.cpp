// The banner over the name line, placed by the main window's load from a "3.dat" beside
// the program: the still picture, the animated GIF, both, and neither.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/core/Branding.h"
#include "app/core/DocumentOpener.h"
#include "app/core/Paths.h"
#include "app/ui/ClickLabel.h"
#include "app/ui/MainWindow.h"
#include "controls/qt/GifViewerWidget.h"
#include "tests/app/RecordingOpener.h"
#include "tests/controls/TestGifBuilder.h"
#include "tools/brand/BrandScrambler.h"

namespace {

const char kLink[] = "https://corpometer.example/banner";

// Writes "3.dat" into `directory` with the banner file and flags given.
void WriteBranding(const QString& directory, const std::string& bannerFile, bool picture,
                   bool animated, const std::string& link = kLink) {
    std::mt19937 random(7);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.NameText = brand::Scramble(record.NameText, random);
    record.Title = brand::Scramble(record.Title, random);
    record.Link = brand::Scramble(link, random);
    record.BannerFile = brand::Scramble(bannerFile, random);
    record.ShowPictureBanner = picture ? 1 : 0;
    record.ShowAnimatedBanner = animated ? 1 : 0;
    const std::string bytes = core::SerializeBrandingRecord(record);
    std::ofstream(QString(directory + "/3.dat").toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A two-frame GIF of the name line's size: red, then blue.
void WriteAnimatedBanner(const QString& path) {
    const std::vector<std::uint8_t> gif = testgif::Build(
        375, 60, {0xFF0000, 0x0000FF},
        {testgif::SolidFrame(0, 0, 375, 60, 0), testgif::SolidFrame(0, 0, 375, 60, 1)});
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(gif.data()), static_cast<std::streamsize>(gif.size()));
}

}  // namespace

class BannerTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        directory_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", directory_->path().toUtf8());
        core::SetApplicationDirectory(directory_->path().toStdString());
        opener_.opened.clear();
        previousOpener_ = core::SetDocumentOpener(&opener_);
    }

    void cleanup() {
        core::SetDocumentOpener(previousOpener_);
        directory_.reset();
    }

    void defaultBrandingShowsNoBanner() {
        ui::MainWindow window;
        window.Load();
        auto* bannerPicture = window.findChild<ui::ClickLabel*>("bannerPicture");
        auto* bannerAnimation = window.findChild<controls::GifViewerWidget*>("bannerAnimation");
        QVERIFY(bannerPicture && bannerAnimation);
        QVERIFY(bannerPicture->isHidden());
        QVERIFY(!bannerPicture->isEnabled());
        QVERIFY(bannerAnimation->isHidden());
        QVERIFY(!bannerAnimation->Viewer().GIFLoaded());
        QVERIFY(bannerAnimation->Viewer().AutoPlay());
    }

    void animatedBannerCoversTheNameLinePlaysAndOpensTheLink() {
        WriteAnimatedBanner(directory_->filePath("banner.gif"));
        WriteBranding(directory_->path(), "banner.gif", false, true);
        ui::MainWindow window;
        window.Load();
        auto* bannerAnimation = window.findChild<controls::GifViewerWidget*>("bannerAnimation");
        auto* bannerPicture = window.findChild<ui::ClickLabel*>("bannerPicture");
        QVERIFY(!bannerAnimation->isHidden());
        QCOMPARE(bannerAnimation->geometry(), QRect(16, 8, 375, 60));
        QVERIFY(bannerPicture->isHidden());
        QVERIFY(bannerAnimation->Viewer().GIFIsPlaying());

        QSignalSpy rendered(bannerAnimation, &controls::GifViewerWidget::GIFFrameRendered);
        QTRY_VERIFY_WITH_TIMEOUT(rendered.count() >= 2, 5000);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(bannerAnimation, Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(opener_.opened, std::vector<std::string>{kLink});
    }

    void pictureBannerCoversTheNameLineAndOpensTheLink() {
        QImage picture(375, 60, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(directory_->filePath("banner.png")));
        WriteBranding(directory_->path(), "banner.png", true, false);
        ui::MainWindow window;
        window.Load();
        auto* bannerPicture = window.findChild<ui::ClickLabel*>("bannerPicture");
        QVERIFY(!bannerPicture->isHidden());
        QVERIFY(bannerPicture->isEnabled());
        QCOMPARE(bannerPicture->pixmap().toImage().pixelColor(10, 10), QColor(Qt::green));
        QCOMPARE(bannerPicture->pos(), QPoint(16, 8));
        QVERIFY(window.findChild<controls::GifViewerWidget*>("bannerAnimation")->isHidden());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(bannerPicture, Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(opener_.opened, std::vector<std::string>{kLink});
    }

    void aBannerThatCannotBeShownLeavesTheNameLineInView() {
        // Missing, and not a picture at all.
        QFile(directory_->filePath("text.gif")).open(QIODevice::WriteOnly);
        for (const char* file : {"no-such-banner.gif", "text.gif"}) {
            WriteBranding(directory_->path(), file, true, true);
            ui::MainWindow window;
            window.Load();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto* bannerAnimation = window.findChild<controls::GifViewerWidget*>("bannerAnimation");
            QVERIFY(!bannerAnimation->Viewer().GIFIsPlaying());
            QCOMPARE(window.childAt(100, 30), window.findChild<QWidget*>("brandNameLabel"));
            QTest::mouseClick(window.childAt(100, 30), Qt::LeftButton, {}, QPoint(10, 10));
        }
        QCOMPARE(opener_.opened, (std::vector<std::string>{kLink, kLink}));
    }

    void theAnimatedBannerIsATabStopOnlyWhenItLinks() {
        WriteAnimatedBanner(directory_->filePath("banner.gif"));
        for (const std::string link : {"", kLink}) {
            WriteBranding(directory_->path(), "banner.gif", false, true, link);
            ui::MainWindow window;
            window.Load();
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            auto* banner = window.findChild<controls::GifViewerWidget*>("bannerAnimation");
            // The weight box keeps the focus at start; Tab from Calculate goes on to the banner
            // only when it links.
            QCOMPARE(QApplication::focusWidget(), window.findChild<QWidget*>("weightEdit"));
            window.findChild<QWidget*>("calculateButton")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (link.empty()) {
                QCOMPARE(QApplication::focusWidget(), window.findChild<QWidget*>("menuButton"));
                continue;
            }
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(banner));
            // The picture buttons' focus mark: dots alternately white and black, two pixels in.
            const QImage shot = banner->grab().toImage();
            for (int x = 2; x < 12; ++x) {
                QCOMPARE(shot.pixelColor(x, 2), QColor((x + 2) % 2 == 0 ? Qt::white : Qt::black));
            }
            QTest::keyClick(banner, Qt::Key_Return);
            QTest::keyClick(banner, Qt::Key_Space);
            QCOMPARE(opener_.opened, (std::vector<std::string>{kLink, kLink}));
        }
    }

    // With a still banner over the name line, or none, the link is reached by Tab as well and
    // opened by Enter or Space: one stop, on what is seen.
    void theLinkIsATabStopUnderAStillBannerOrNone() {
        QImage picture(375, 60, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(directory_->filePath("banner.png")));
        for (const bool still : {true, false}) {
            WriteBranding(directory_->path(), "banner.png", still, false);
            ui::MainWindow window;
            window.Load();
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            window.findChild<QWidget*>("calculateButton")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* link = window.findChild<QWidget*>(still ? "bannerPicture" : "brandNameLabel");
            QCOMPARE(QApplication::focusWidget(), link);
            QTest::keyClick(link, Qt::Key_Return);
            QTest::keyClick(link, Qt::Key_Space);
            QCOMPARE(opener_.opened, (std::vector<std::string>{kLink, kLink}));
            opener_.opened.clear();
            QTest::keyClick(link, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), window.findChild<QWidget*>("menuButton"));
        }
    }

    // When both flags are on, the animated banner is the one seen.
    void bothBannersShowTheAnimatedOneOnTop() {
        WriteAnimatedBanner(directory_->filePath("banner.gif"));
        WriteBranding(directory_->path(), "banner.gif", true, true);
        ui::MainWindow window;
        window.Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* bannerAnimation = window.findChild<controls::GifViewerWidget*>("bannerAnimation");
        QCOMPARE(window.childAt(100, 30), static_cast<QWidget*>(bannerAnimation));
    }

  private:
    std::unique_ptr<QTemporaryDir> directory_;
    RecordingOpener opener_;
    core::DocumentOpener* previousOpener_ = nullptr;
};

QTEST_MAIN(BannerTest)
#include "banner_test.moc"
