// The Qt host of the picture button on the offscreen platform, with the widget's own cursor
// probe: the cursor is placed with QCursor::setPos (which sends the moves, enters and leaves
// a display server would) and the mouse events are sent to the widget.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "controls/qt/PictureButtonWidget.h"
#include "controls/qt/QtPictures.h"
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
        std::vector<std::uint32_t>(static_cast<size_t>(width) * height, colour.rgba()));
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
    void hoverComesFromTheWidgetsOwnEventsNotFromACursorQuery();
    void paintsOpaquePixelsOnASurfaceWithAlpha();
    void keyboardFocusShowsAMarkAndSpaceOrEnterClick();
    void screenReadersSeeANamedButtonThatPresses();
    void handlerChangingButtonStopsThePress();
    void picturesLoadFromAFolderByPropertyName();
    void statesWithoutAPictureShowTheBackColour();
    void paintsAtTheScreensDensity();

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
            [&](std::int16_t& Button, std::int16_t&, float& x, float&) {
                events << QString("MouseDown %1 at %2").arg(Button).arg(x);
            });
    connect(button_, &PictureButtonWidget::MouseUp, this,
            [&](std::int16_t& Button, std::int16_t&, float&, float&) {
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

    // A window appears over the button; the cursor has not moved. It takes the pointer, and
    // the display server tells our window so (X11 and Wayland alike; the offscreen platform
    // does not, so the test passes the notice on).
    QWidget cover(nullptr, Qt::ToolTip);
    cover.setGeometry(QRect(button_->mapToGlobal(QPoint(0, 0)), QSize(40, 40)));
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button_, &leave);
    QCOMPARE(leaves.count(), 0);  // announced by the poll, not by the notice itself
    QTRY_COMPARE_WITH_TIMEOUT(leaves.count(), 1, 1000);
    QCOMPARE(Shown(), kRest);
}

void PictureButtonWidgetTest::hoverComesFromTheWidgetsOwnEventsNotFromACursorQuery() {
    // Under Wayland nothing can ask where the cursor is on the screen: what Qt reports may
    // lie anywhere. The widget's enter notice and moves alone make it hover, and it stays so.
    QSignalSpy leaves(button_, &PictureButtonWidget::MouseLeave);
    QEnterEvent enter(QPointF(5, 5), QPointF(button_->mapToGlobal(QPoint(5, 5))),
                      QPointF(button_->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(button_, &enter);
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    QCOMPARE(Shown(), kHover);
    QTest::qWait(60);
    QCOMPARE(button_->Control().State(), controls::Hover);
    QCOMPARE(leaves.count(), 0);

    // A move with the button held beyond the edge is outside, wherever Qt's cursor is.
    Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(65, 5));
    QCOMPARE(Shown(), kRest);
    Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(5, 5));
    QCOMPARE(Shown(), kDown);
}

void PictureButtonWidgetTest::paintsOpaquePixelsOnASurfaceWithAlpha() {
    // Wayland's window surfaces have an alpha channel: the picture must not come out
    // see-through there.
    button_->clearFocus();
    QImage canvas(button_->size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    button_->render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(canvas.pixelColor(2, 2), kRest);
    QCOMPARE(canvas.pixelColor(59, 29).alpha(), 255);
}

void PictureButtonWidgetTest::keyboardFocusShowsAMarkAndSpaceOrEnterClick() {
    QSignalSpy clicks(button_, &PictureButtonWidget::Click);
    int mouseDowns = 0;
    connect(button_, &PictureButtonWidget::MouseDown, this,
            [&](std::int16_t&, std::int16_t&, float&, float&) { ++mouseDowns; });
    host_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host_));
    button_->clearFocus();

    // A mouse click leaves the focus where it was: a mouse user sees no mark.
    MoveCursorTo(QPoint(5, 5));
    QTest::mouseClick(button_, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!button_->hasFocus());
    MoveCursorAway();

    QLineEdit* before = new QLineEdit(host_);
    before->move(100, 80);
    before->show();
    QWidget::setTabOrder(before, button_);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(button_->hasFocus());

    // The mark: a dotted frame two pixels inside the edge, dots alternately white and
    // black, over the picture.
    const QImage marked = button_->grab().toImage();
    QCOMPARE(marked.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(marked.pixelColor(3, 2), QColor(Qt::black));
    QCOMPARE(marked.pixelColor(57, 20), QColor(Qt::black));
    QCOMPARE(marked.pixelColor(57, 21), QColor(Qt::white));
    QCOMPARE(marked.pixelColor(1, 1), Shown());
    QCOMPARE(marked.pixelColor(20, 10), Shown());

    // Space: pressed while down, clicked on release; Enter clicks at once.
    QTest::keyPress(button_, Qt::Key_Space);
    QCOMPARE(Shown(), kDown);
    QCOMPARE(clicks.count(), 1);
    QTest::keyRelease(button_, Qt::Key_Space);
    QVERIFY(Shown() != kDown);
    QCOMPARE(clicks.count(), 2);
    QTest::keyClick(button_, Qt::Key_Return);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(mouseDowns, 1);  // only the mouse's

    // Escape does nothing; leaving with Space held cancels the press.
    QTest::keyClick(button_, Qt::Key_Escape);
    QTest::keyPress(button_, Qt::Key_Space);
    before->setFocus();
    QVERIFY(Shown() != kDown);
    QTest::keyRelease(button_, Qt::Key_Space);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(button_->grab().toImage().pixelColor(2, 2), Shown());  // no focus, no mark
}

void PictureButtonWidgetTest::screenReadersSeeANamedButtonThatPresses() {
    button_->setAccessibleName("Calculate BMI");
    QSignalSpy clicks(button_, &PictureButtonWidget::Click);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button_);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), QString("Calculate BMI"));
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicks.count(), 1);
}

void PictureButtonWidgetTest::handlerChangingButtonStopsThePress() {
    connect(button_, &PictureButtonWidget::MouseDown, this,
            [](std::int16_t& Button, std::int16_t&, float&, float&) {
                Button = controls::kRightButton;
            });
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
    // The unpacked form the program keeps its artwork in.
    QImage down(3, 2, QImage::Format_RGB32);
    down.fill(QColor(4, 5, 6));
    down.setPixelColor(2, 1, QColor(7, 8, 9));
    const QByteArray unpacked = controls::UnpackedImage(down);
    auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write("PictureDown.pixels", unpacked));
    QVERIFY(write("PictureHover.png", "not a png"));
    QVERIFY(write("PictureHover.pixels", unpacked.chopped(1)));  // cut short

    platform::PropertyBag bag = controls::LoadPictureFolder(folder.path());
    QCOMPARE(bag.Count(), size_t(2));  // the unreadable files give no picture
    const platform::PicturePtr downPicture = bag.Read<platform::PicturePtr>("PictureDown", {});
    QVERIFY(downPicture);
    const QImage downShown = controls::ImageFromPicture(*downPicture);
    QCOMPARE(downShown.size(), QSize(3, 2));
    QCOMPARE(downShown.pixelColor(2, 1), QColor(7, 8, 9));
    QCOMPARE(downShown.pixelColor(0, 0), QColor(4, 5, 6));
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

void PictureButtonWidgetTest::paintsAtTheScreensDensity() {
    // Run also with two device pixels to a pixel (QT_SCALE_FACTOR=2). A picture with a drawing
    // for that density shows it device pixel for device pixel; one without shows its own
    // pixels as squares. Either comes out blurred if the button paints at one pixel a pixel.
    const int ratio = qRound(button_->devicePixelRatioF());
    QImage ordinary(4, 2, QImage::Format_RGB32);  // stripes
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            ordinary.setPixelColor(x, y, x % 2 ? Qt::white : Qt::black);
    QImage twice(8, 4, QImage::Format_RGB32);  // a fine checkerboard the stripes cannot give
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            twice.setPixelColor(x, y, (x + y) % 2 ? Qt::white : QColor(200, 0, 0));
    const auto shows = [this](const platform::PicturePtr& picture, const QImage& expected) {
        button_->Control().SetPicture(picture);
        QImage shown = button_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        return shown == expected;
    };
    const QImage enlarged = ordinary.scaled(ordinary.size() * ratio);
    const QImage dense = ratio == 2 ? twice : enlarged;

    QTemporaryDir folder;
    QVERIFY(ordinary.save(folder.filePath("Picture.png")));
    QVERIFY(twice.save(folder.filePath("Picture@2x.png")));
    const platform::PropertyBag bag = controls::LoadPictureFolder(folder.path());
    QVERIFY(shows(bag.Read<platform::PicturePtr>("Picture", {}), dense));
    QVERIFY(shows(controls::LoadPicture(folder.filePath("Picture.png")), dense));
    QVERIFY(shows(controls::PictureFromImage(ordinary), enlarged));
    if (ratio == 2) {  // a picture made at run time from an image drawn for the density
        QImage drawnForTwo = twice;
        drawnForTwo.setDevicePixelRatio(2);
        QVERIFY(shows(controls::PictureFromImage(drawnForTwo), twice));
    }
}

QTEST_MAIN(PictureButtonWidgetTest)
#include "picture_button_widget_test.moc"
