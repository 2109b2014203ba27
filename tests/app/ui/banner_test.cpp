// The banner over the name line, placed by the main window's load from a "3.dat" beside
// the program: the still picture, the animated GIF, both, and neither.

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
#include "tools/BrandScrambler.h"

namespace {

const char kLink[] = "https://corpometer.example/banner";

// Writes "3.dat" into `directory` with the banner file and flags given.
void WriteBranding(const QString& directory, const std::string& bannerFile, bool picture,
                   bool animated) {
    std::mt19937 random(7);
    core::BrandingRecord record = core::DefaultBrandingRecord();
    record.NameText = brand::Scramble(record.NameText, random);
    record.Title = brand::Scramble(record.Title, random);
    record.Link = brand::Scramble(kLink, random);
    record.BannerFile = brand::Scramble(bannerFile, random);
    record.ShowPictureBanner = picture ? 1 : 0;
    record.ShowAnimatedBanner = animated ? 1 : 0;
    const std::string bytes = core::SerializeBrandingRecord(record);
    std::ofstream(QString(directory + "/3.dat").toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A two-frame GIF of the name line's size: red, then blue.
void WriteAnimatedBanner(const QString& path) {
    const std::vector<uint8_t> gif = testgif::Build(
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
        MainWindow window;
        window.Load();
        auto* imBanner = window.findChild<ClickLabel*>("imBanner");
        auto* ucGIF = window.findChild<controls::GifViewerWidget*>("ucGIF");
        QVERIFY(imBanner && ucGIF);
        QVERIFY(imBanner->isHidden());
        QVERIFY(!imBanner->isEnabled());
        QVERIFY(ucGIF->isHidden());
        QVERIFY(!ucGIF->Viewer().GIFLoaded());
        QVERIFY(ucGIF->Viewer().AutoPlay());
    }

    void animatedBannerCoversTheNameLinePlaysAndOpensTheLink() {
        WriteAnimatedBanner(directory_->filePath("banner.gif"));
        WriteBranding(directory_->path(), "banner.gif", false, true);
        MainWindow window;
        window.Load();
        auto* ucGIF = window.findChild<controls::GifViewerWidget*>("ucGIF");
        auto* imBanner = window.findChild<ClickLabel*>("imBanner");
        QVERIFY(!ucGIF->isHidden());
        QCOMPARE(ucGIF->geometry(), QRect(16, 8, 375, 60));
        QVERIFY(imBanner->isHidden());
        QVERIFY(ucGIF->Viewer().GIFIsPlaying());

        QSignalSpy rendered(ucGIF, &controls::GifViewerWidget::GIFFrameRendered);
        QTRY_VERIFY_WITH_TIMEOUT(rendered.count() >= 2, 5000);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(ucGIF, Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(opener_.opened, std::vector<std::string>{kLink});
    }

    void pictureBannerCoversTheNameLineAndOpensTheLink() {
        QImage picture(375, 60, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(directory_->filePath("banner.png")));
        WriteBranding(directory_->path(), "banner.png", true, false);
        MainWindow window;
        window.Load();
        auto* imBanner = window.findChild<ClickLabel*>("imBanner");
        QVERIFY(!imBanner->isHidden());
        QVERIFY(imBanner->isEnabled());
        QCOMPARE(imBanner->pixmap().toImage().pixelColor(10, 10), QColor(Qt::green));
        QCOMPARE(imBanner->pos(), QPoint(16, 8));
        QVERIFY(window.findChild<controls::GifViewerWidget*>("ucGIF")->isHidden());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(imBanner, Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(opener_.opened, std::vector<std::string>{kLink});
    }

    void missingBannerFileStillLoadsTheWindow() {
        WriteBranding(directory_->path(), "no-such-banner.gif", true, true);
        MainWindow window;
        window.Load();
        auto* ucGIF = window.findChild<controls::GifViewerWidget*>("ucGIF");
        QVERIFY(!ucGIF->Viewer().GIFLoaded());
        QVERIFY(!ucGIF->Viewer().GIFIsPlaying());
        QVERIFY(window.findChild<ClickLabel*>("imBanner")->pixmap().isNull());
    }

    // When both flags are on, the animated banner is the one seen.
    void bothBannersShowTheAnimatedOneOnTop() {
        WriteAnimatedBanner(directory_->filePath("banner.gif"));
        WriteBranding(directory_->path(), "banner.gif", true, true);
        MainWindow window;
        window.Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* ucGIF = window.findChild<controls::GifViewerWidget*>("ucGIF");
        QCOMPARE(window.childAt(100, 30), static_cast<QWidget*>(ucGIF));
    }

  private:
    std::unique_ptr<QTemporaryDir> directory_;
    RecordingOpener opener_;
    core::DocumentOpener* previousOpener_ = nullptr;
};

QTEST_MAIN(BannerTest)
#include "banner_test.moc"
