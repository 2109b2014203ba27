// The GIF viewer in its Qt widget: resources, the real delay timer, input and the border.

#include "controls/qt/GifViewerWidget.h"

#include <QMetaClassInfo>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "SurfacePixels.h"

namespace {

using controls::GifViewerWidget;

// animated-red-blue.gif of the test suites: 64 x 48, 4 frames, bundled as ":/GIF/REDBLUE".
constexpr int kSuiteWidth = 64;
constexpr int kSuiteHeight = 48;

using testgif::RgbAt;

}  // namespace

class GifViewerWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsFromTheResourceSystemAndShowsTheFirstFrame() {
        GifViewerWidget widget;
        widget.resize(kSuiteWidth, kSuiteHeight);
        QVERIFY(widget.Viewer().LoadFromResource("REDBLUE", "GIF"));
        QCOMPARE(widget.Viewer().GIFFrames(), std::int16_t{4});
        QCOMPARE(widget.Viewer().GIFWidth(), std::int16_t{kSuiteWidth});
        QCOMPARE(widget.Surface().Width(), kSuiteWidth);
        // The surface holds the display buffer, pixel for pixel, at natural size.
        const dib::Dib& screen = widget.Viewer().DisplayBuffer();
        for (int y = 0; y < kSuiteHeight; y += 5) {
            for (int x = 0; x < kSuiteWidth; x += 5) {
                QCOMPARE(RgbAt(widget.Surface(), x, y), RgbAt(screen, x, y));
            }
        }
    }

    void missingResourceThrowsAndLeavesTheViewerEmpty() {
        GifViewerWidget widget;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 widget.Viewer().LoadFromResource("NOSUCH", "GIF"));
        QVERIFY(!widget.Viewer().GIFLoaded());
    }

    void playsOnTheRealTimerAndRaisesFrameRendered() {
        GifViewerWidget widget;
        widget.resize(kSuiteWidth, kSuiteHeight);
        QSignalSpy rendered(&widget, &GifViewerWidget::GIFFrameRendered);
        widget.Viewer().SetAutoPlay(true);
        QVERIFY(widget.Viewer().LoadFromResource("REDBLUE", "GIF"));
        QVERIFY(widget.Viewer().GIFIsPlaying());
        QCOMPARE(widget.EffectiveInterval(), 10);  // the 1 ms first tick, at the timer floor
        QTRY_VERIFY_WITH_TIMEOUT(rendered.count() >= 2, 5000);
        QCOMPARE(rendered.at(0).at(0).value<std::int16_t>(), std::int16_t{1});
        QCOMPARE(rendered.at(1).at(0).value<std::int16_t>(), std::int16_t{2});
        widget.Viewer().Pause();
        QVERIFY(!widget.Viewer().GIFIsPlaying());
    }

    void clicksReachTheContainerOnlyWhileEnabled() {
        GifViewerWidget widget;
        widget.resize(40, 20);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy clicks(&widget, &GifViewerWidget::Click);
        std::int16_t downButton = 0;
        float downX = 0;
        connect(&widget, &GifViewerWidget::MouseDown,
                [&](std::int16_t& Button, std::int16_t&, float& x, float&) {
                    downButton = Button;
                    downX = x;
                });
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(downButton, std::int16_t{1});
        QCOMPARE(downX, 5.0f);

        widget.Viewer().Setenabled(false);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);
    }

    void keyPressCarriesTheCharacterCode() {
        GifViewerWidget widget;
        std::int16_t seen = 0;
        connect(&widget, &GifViewerWidget::KeyPress,
                [&](std::int16_t& KeyAscii) { seen = KeyAscii; });
        QTest::keyClick(&widget, Qt::Key_A, Qt::NoModifier);
        QCOMPARE(seen, std::int16_t{'a'});
    }

    void fixedSingleBorderTakesAPixelFromEachSide() {
        GifViewerWidget widget;
        widget.resize(40, 20);
        widget.Viewer().SetBorderStyle(1);
        QCOMPARE(widget.Surface().Width(), 38);
        QCOMPARE(widget.Surface().Height(), 18);
        widget.Viewer().SetBorderStyle(0);
        QCOMPARE(widget.Surface().Width(), 40);
    }

    void designerDescriptionsAreOffered() {
        const QMetaObject& meta = GifViewerWidget::staticMetaObject;
        const int backColor = meta.indexOfClassInfo("BackColor");
        QVERIFY(backColor >= 0);
        QCOMPARE(QString::fromUtf8(meta.classInfo(backColor).value()),
                 QStringLiteral("Devuelve o establece el color de fondo usado para mostrar texto "
                                "y gráficos en un objeto."));
        QVERIFY(meta.indexOfClassInfo("enabled") >= 0);
    }
};

QTEST_MAIN(GifViewerWidgetTest)
#include "gif_viewer_widget_test.moc"
