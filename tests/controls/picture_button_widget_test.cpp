// The Qt host of the picture button on the offscreen platform, with Qt's own cursor probe:
// the cursor is placed with QCursor::setPos and the mouse events are sent to the widget.

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "PictureButtonWidget.h"
#include "QtPictures.h"
#include "platform/PropertyBag.h"
#include "platform/SystemColors.h"

using controls::PictureButtonWidget;

namespace {

const QColor kRest(0, 0, 160);
const QColor kHover(0, 160, 0);
const QColor kDown(160, 0, 0);

platform::PicturePtr Solid(int width, int height, const QColor& colour) {
    return platform::Picture::FromPixels(
        platform::Picture::Kind::Bitmap, width, height,
        std::vector<uint32_t>(static_cast<size_t>(width) * height, colour.rgba()));
}

}  // namespace

class PictureButtonWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void clickFromOutsideShowsEachPictureAndRaisesTheEvents();
    void releasingOffTheButtonIsNoClick();
    void doubleClickRaisesDblClickInsteadOfASecondClick();
    void aCoveringWindowEndsTheHover();
    void handlerChangingButtonStopsThePress();
    void picturesLoadFromAFolderByPropertyName();
    void statesWithoutAPictureShowTheBackColour();

  private:
    void MoveCursorTo(const QPoint& local);
    void MoveCursorAway();
    void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
              const QPoint& local = QPoint(5, 5));
    QColor Shown() const { return button_->Surface().pixelColor(2, 2); }

    QWidget* host_ = nullptr;
    PictureButtonWidget* button_ = nullptr;
};

void PictureButtonWidgetTest::init() {
    host_ = new QWidget;
    host_->setGeometry(100, 100, 200, 120);
    button_ = new PictureButtonWidget(host_);
    button_->move(10, 10);
    platform::PropertyBag bag;
    bag.WriteProperty("Picture", Solid(60, 30, kRest));
    bag.WriteProperty("PictureHover", Solid(60, 30, kHover));
    bag.WriteProperty("PictureDown", Solid(50, 40, kDown));
    button_->Control().ReadProperties(bag);
    host_->show();
    QVERIFY(QTest::qWaitForWindowExposed(host_));
    MoveCursorAway();
}

void PictureButtonWidgetTest::cleanup() {
    delete host_;
    host_ = nullptr;
}

void PictureButtonWidgetTest::MoveCursorTo(const QPoint& local) {
    QCursor::setPos(button_->mapToGlobal(local));
}

void PictureButtonWidgetTest::MoveCursorAway() {
    QCursor::setPos(QPoint(900, 700));
}

void PictureButtonWidgetTest::Send(QEvent::Type type, Qt::MouseButton button,
                                   Qt::MouseButtons buttons, const QPoint& local) {
    QMouseEvent event(type, QPointF(local), QPointF(button_->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(button_, &event);
}

void PictureButtonWidgetTest::clickFromOutsideShowsEachPictureAndRaisesTheEvents() {
    // Sited and sized: the rest picture at its natural size.
    QCOMPARE(button_->size(), QSize(60, 30));
    QCOMPARE(Shown(), kRest);

    QStringList events;
    connect(button_, &PictureButtonWidget::Click, this, [&] { events << "Click"; });
    connect(button_, &PictureButtonWidget::MouseEnter, this, [&] { events << "MouseEnter"; });
    connect(button_, &PictureButtonWidget::MouseLeave, this, [&] { events << "MouseLeave"; });
    connect(button_, &PictureButtonWidget::MouseDown, this,
            [&](int16_t& Button, int16_t&, float& x, float&) {
                events << QString("MouseDown %1 at %2").arg(Button).arg(x);
            });
    connect(button_, &PictureButtonWidget::MouseUp, this,
            [&](int16_t& Button, int16_t&, float&, float&) {
                events << QString("MouseUp %1").arg(Button);
            });

    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    QCOMPARE(Shown(), kHover);

    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(Shown(), kDown);
    QCOMPARE(button_->size(), QSize(50, 40));  // the pressed picture has its own size

    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(Shown(), kHover);
    QCOMPARE(button_->size(), QSize(60, 30));

    // Still over the button: the poll finds nothing to do.
    QTest::qWait(50);
    QCOMPARE(button_->Control().State(), controls::Hover);

    MoveCursorAway();
    QTRY_COMPARE_WITH_TIMEOUT(button_->Control().State(), controls::Rest, 1000);
    QCOMPARE(Shown(), kRest);
    QVERIFY(!button_->Control().UpdateTimerEnabled());
    QCOMPARE(events,
             QStringList({"MouseEnter", "MouseDown 1 at 5", "MouseUp 1", "Click", "MouseLeave"}));
}

void PictureButtonWidgetTest::releasingOffTheButtonIsNoClick() {
    QSignalSpy clicks(button_, &PictureButtonWidget::Click);
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    MoveCursorAway();
    Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(300, 5));
    QCOMPARE(Shown(), kRest);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(300, 5));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(button_->Control().State(), controls::Rest);

    // A right click is no click either, and shows no pressed picture.
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
    QCOMPARE(button_->Control().State(), controls::Rest);
    Send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(button_->Control().State(), controls::Hover);
}

void PictureButtonWidgetTest::doubleClickRaisesDblClickInsteadOfASecondClick() {
    QSignalSpy clicks(button_, &PictureButtonWidget::Click);
    QSignalSpy doubleClicks(button_, &PictureButtonWidget::DblClick);
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    Send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(doubleClicks.count(), 1);
}

void PictureButtonWidgetTest::aCoveringWindowEndsTheHover() {
    QSignalSpy leaves(button_, &PictureButtonWidget::MouseLeave);
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    QCOMPARE(button_->Control().State(), controls::Hover);

    // A window appears over the button; the cursor has not moved.
    QWidget cover(nullptr, Qt::ToolTip);
    cover.setGeometry(QRect(button_->mapToGlobal(QPoint(0, 0)), QSize(40, 40)));
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    QTRY_COMPARE_WITH_TIMEOUT(leaves.count(), 1, 1000);
    QCOMPARE(Shown(), kRest);
}

void PictureButtonWidgetTest::handlerChangingButtonStopsThePress() {
    connect(button_, &PictureButtonWidget::MouseDown, this,
            [](int16_t& Button, int16_t&, float&, float&) { Button = controls::kRightButton; });
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(button_->Control().State(), controls::Hover);
}

void PictureButtonWidgetTest::picturesLoadFromAFolderByPropertyName() {
    QTemporaryDir folder;
    QImage rest(7, 5, QImage::Format_ARGB32);
    rest.fill(QColor(1, 2, 3));
    QVERIFY(rest.save(folder.filePath("Picture.png")));
    QVERIFY(QImage(3, 3, QImage::Format_RGB32).save(folder.filePath("PictureDown.png")));
    QFile notAPicture(folder.filePath("PictureHover.png"));
    QVERIFY(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("not a png");
    notAPicture.close();

    platform::PropertyBag bag = controls::LoadPictureFolder(folder.path());
    QCOMPARE(bag.Count(), size_t(2));  // the unreadable file gives no picture
    button_->Control().ReadProperties(bag);
    button_->Control().Resize();
    QCOMPARE(button_->size(), QSize(7, 5));
    QCOMPARE(Shown(), QColor(1, 2, 3));
    QCOMPARE(controls::ImageFromPicture(*button_->Control().Picture()).pixelColor(6, 4),
             QColor(1, 2, 3));
}

void PictureButtonWidgetTest::statesWithoutAPictureShowTheBackColour() {
    // By default the button face, as the system colours have it.
    platform::SetSysColor(platform::kColorBtnFace, platform::gdi::MakeColorRef(10, 20, 30));
    button_->Control().SetPictureHover(nullptr);
    MoveCursorTo(QPoint(5, 5));
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    QCOMPARE(Shown(), QColor(10, 20, 30));
    QCOMPARE(button_->size(), QSize(60, 30));  // the size of the last picture shown

    button_->SetBackColor(platform::gdi::MakeColorRef(200, 100, 50));
    QCOMPARE(Shown(), QColor(200, 100, 50));
    platform::ResetSysColors();
}

QTEST_MAIN(PictureButtonWidgetTest)
#include "picture_button_widget_test.moc"
