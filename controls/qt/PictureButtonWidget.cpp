#include "controls/qt/PictureButtonWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "controls/TimerInterval.h"
#include "controls/qt/FocusMark.h"
#include "controls/qt/QtMouseMasks.h"
#include "controls/qt/QtPictures.h"

namespace controls {
namespace {

// What screen readers see of a picture button: a button named by its accessible name, with
// a press action that clicks it. The press is queued to the widget's own thread: the
// accessibility bridge may call from its own, and a click must not run there.
class PictureButtonAccessible : public QAccessibleWidget {
  public:
    explicit PictureButtonAccessible(PictureButtonWidget* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            auto* button = static_cast<PictureButtonWidget*>(widget());
            QMetaObject::invokeMethod(button, &PictureButtonWidget::Press, Qt::QueuedConnection);
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }
    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == pressAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }
};

QAccessibleInterface* PictureButtonAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureButtonWidget::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new PictureButtonAccessible(static_cast<PictureButtonWidget*>(object));
    }
    return nullptr;
}

}  // namespace

PictureButtonWidget::PictureButtonWidget(QWidget* parent, const CursorProbe* probe)
    : QWidget(parent), cursor_(*this) {
    static const bool accessibleFactoryInstalled = [] {
        QAccessible::installFactory(PictureButtonAccessibleFactory);
        return true;
    }();
    (void)accessibleFactoryInstalled;

    setMouseTracking(true);  // moves without a button held are how the cursor is seen entering
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the button; a click does not take the focus, so a mouse user never sees
    // the focus mark.
    setFocusPolicy(Qt::TabFocus);
    updateTimer_.setInterval(EffectiveTimerInterval(kUpdateIntervalMs));
    connect(&updateTimer_, &QTimer::timeout, this, [this] { button_->OnUpdateTimer(); });
    button_ = std::make_unique<PictureButton>(static_cast<PictureButtonHost&>(*this),
                                              probe ? *probe : cursor_);
}

PictureButtonWidget::~PictureButtonWidget() {
    updateTimer_.stop();
}

QImage PictureButtonWidget::Surface() const {
    return ImageFromSurface(surface_);
}

void PictureButtonWidget::Press() {
    button_->OnKeyPress();
    button_->OnKeyRelease();
}

void PictureButtonWidget::paintEvent(QPaintEvent*) {
    if (surface_.PixelRatio() != SurfaceRatio()) {
        // Moved to a screen of another density: drawn again at the new one.
        surface_.SetPixelRatio(SurfaceRatio());
        button_->Resize();
    }
    QPainter painter(this);
    const bool surfaceFits =
        surface_.Bits() && surface_.Width() == width() && surface_.Height() == height();
    if (surfaceFits) {
        // Device pixel for device pixel where the screen's ratio is whole; else scaled down
        // smoothly from the next whole ratio up.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), ImageFromSurface(surface_));
    } else {
        painter.fillRect(rect(), palette().color(backgroundRole()));
    }
    if (hasFocus()) {
        DrawFocusMark(painter, rect());
    }
}

int PictureButtonWidget::SurfaceRatio() const {
    return std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
}

void PictureButtonWidget::resizeEvent(QResizeEvent*) {
    surface_.SetPixelRatio(SurfaceRatio());
    surface_.Resize(width(), height());
    button_->Resize();
    // Sized to its picture while Qt delivers the resize notice held back until the first
    // show, the widget gets no second notice: the surface follows the new size here.
    if (surface_.Width() != width() || surface_.Height() != height()) {
        surface_.Resize(width(), height());
        button_->Resize();
    }
}

void PictureButtonWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    cursor_.Moved(at);
    button_->OnMouseMove(ButtonMask(event->buttons()), ShiftMask(event->modifiers()),
                         static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureButtonWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    cursor_.Moved(at);
    click_.Pressed(*event);
    button_->OnMouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                         static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    cursor_.Moved(at);
    const bool click = click_.Released(*event, rect());
    button_->OnMouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                       static_cast<float>(at.x()), static_cast<float>(at.y()));
    if (click) button_->OnClick();
}

void PictureButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is the double click itself: no MouseDown, and its
    // release brings MouseUp but no second Click.
    if (event->button() == Qt::LeftButton) {
        click_.Cancel();
        button_->OnDblClick();
    } else {
        mousePressEvent(event);
    }
}

void PictureButtonWidget::enterEvent(QEnterEvent* event) {
    cursor_.Entered(event->position());
    QWidget::enterEvent(event);
}

void PictureButtonWidget::leaveEvent(QEvent* event) {
    // The poll timer's next tick finds the cursor gone and announces MouseLeave.
    cursor_.Left();
    QWidget::leaveEvent(event);
}

void PictureButtonWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) button_->OnKeyPress();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) Press();
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PictureButtonWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) button_->OnKeyRelease();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void PictureButtonWidget::focusInEvent(QFocusEvent* event) {
    update();  // the focus mark
    QWidget::focusInEvent(event);
}

void PictureButtonWidget::focusOutEvent(QFocusEvent* event) {
    button_->OnKeyCancel();
    update();
    QWidget::focusOutEvent(event);
}

void PictureButtonWidget::SetBackColor(platform::OLE_COLOR colour) {
    backColor_ = colour;
    button_->Resize();  // redraw: the surface shows through where the picture does not cover
}

void PictureButtonWidget::ClearSurface() {
    platform::gdi::COLORREF background = 0;
    if (!platform::OleTranslateColor(backColor_, &background)) return;
    surface_.Clear(background);
    update();
}

void PictureButtonWidget::DrawPicture(const platform::Picture& picture) {
    surface_.Draw(picture, 0, 0);
    update();
}

void PictureButtonWidget::SetWidth(int width) {
    if (width != this->width()) resize(width, height());
}

void PictureButtonWidget::SetHeight(int height) {
    if (height != this->height()) resize(width(), height);
}

void PictureButtonWidget::SetUpdateTimerEnabled(bool enabled) {
    if (enabled) {
        updateTimer_.start();
    } else {
        updateTimer_.stop();
    }
}

void PictureButtonWidget::PropertyChanged(const std::string& name) {
    ++propertyChanges_;
    emit PropertyChangedNotice(QString::fromStdString(name));
}

}  // namespace controls
