#include "PictureButtonWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "QtCursorProbe.h"
#include "QtMouseMasks.h"
#include "TimerInterval.h"

namespace controls {

PictureButtonWidget::PictureButtonWidget(QWidget* parent, const CursorProbe* probe)
    : QWidget(parent) {
    setMouseTracking(true);  // moves without a button held are how the cursor is seen entering
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateTimer_.setInterval(EffectiveTimerInterval(kUpdateIntervalMs));
    connect(&updateTimer_, &QTimer::timeout, this, [this] { button_->OnUpdateTimer(); });
    button_ = std::make_unique<PictureButton>(static_cast<PictureButtonHost&>(*this),
                                              probe ? *probe : QtCursorProbe::Instance());
}

PictureButtonWidget::~PictureButtonWidget() {
    updateTimer_.stop();
}

QImage PictureButtonWidget::Surface() const {
    if (!surface_.Bits()) return {};
    return QImage(surface_.Bits(), surface_.Width(), surface_.Height(), surface_.Stride(),
                  QImage::Format_RGB32)
        .copy();
}

void PictureButtonWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (surface_.Bits() && surface_.Width() == width() && surface_.Height() == height()) {
        painter.drawImage(0, 0,
                          QImage(surface_.Bits(), surface_.Width(), surface_.Height(),
                                 surface_.Stride(), QImage::Format_RGB32));
    } else {
        painter.fillRect(rect(), palette().color(backgroundRole()));
    }
}

void PictureButtonWidget::resizeEvent(QResizeEvent*) {
    surface_.Resize(width(), height());
    button_->Resize();
}

void PictureButtonWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    button_->OnMouseMove(ButtonMask(event->buttons()), ShiftMask(event->modifiers()),
                         static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureButtonWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    button_->OnMouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                         static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    // A click is a left press and release on the button; releasing elsewhere cancels it.
    const bool click =
        event->button() == Qt::LeftButton && leftPressed_ && rect().contains(at.toPoint());
    if (event->button() == Qt::LeftButton) leftPressed_ = false;
    button_->OnMouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                       static_cast<float>(at.x()), static_cast<float>(at.y()));
    if (click) button_->OnClick();
}

void PictureButtonWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is the double click itself: no MouseDown, and its
    // release brings MouseUp but no second Click.
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = false;
        button_->OnDblClick();
    } else {
        mousePressEvent(event);
    }
}

void PictureButtonWidget::SetBackColor(platform::OLE_COLOR New_BackColor) {
    backColor_ = New_BackColor;
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
