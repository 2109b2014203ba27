#include "controls/qt/GifViewerWidget.h"

#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "controls/TimerInterval.h"
#include "controls/TranslatedColour.h"
#include "controls/qt/QtMouseMasks.h"
#include "controls/qt/QtPictures.h"
#include "platform/SystemColors.h"

namespace controls {

namespace {

constexpr std::int32_t kInitialTimerIntervalMs = 10;
constexpr std::int16_t kFixedSingle = 1;  // border style with a one-pixel frame
constexpr int kBorderWidth = 1;

}  // namespace

GifViewerWidget::GifViewerWidget(QWidget* parent)
    : QWidget(parent),
      timerInterval_(kInitialTimerIntervalMs),
      backColor_(platform::kOleButtonFace) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the surface covers the client area
    setFocusPolicy(Qt::StrongFocus);
    delayTimer_.setInterval(EffectiveTimerInterval(timerInterval_));
    connect(&delayTimer_, &QTimer::timeout, this, [this] { viewer_->DelayTimerTick(); });
    MakeSurface();
    viewer_ = std::make_unique<GifViewer>(static_cast<GifViewerHost&>(*this));
}

GifViewerWidget::~GifViewerWidget() {
    viewer_.reset();
    delayTimer_.stop();
}

void GifViewerWidget::MakeSurface() {
    surface_.Resize(ClientWidth(), ClientHeight());
    surface_.Clear(TranslatedColour(backColor_));
}

platform::gdi::HDC GifViewerWidget::hDC() {
    // A widget resized while hidden hears of it only when shown; its surface follows the
    // size at once, and the size notice that comes with showing repaints it.
    if (surface_.Width() != ClientWidth() || surface_.Height() != ClientHeight()) MakeSurface();
    return surface_.hDC();
}

void GifViewerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (borderStyle_ == kFixedSingle) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (surface_.Bits() == nullptr) return;
    painter.drawImage(contentsRect().topLeft(), ImageFromSurface(surface_));
}

void GifViewerWidget::resizeEvent(QResizeEvent*) {
    MakeSurface();
    viewer_->Resize();
}

void GifViewerWidget::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() > 0xFF) {
        QWidget::keyPressEvent(event);
        return;
    }
    std::int16_t keyAscii = static_cast<std::int16_t>(text.at(0).unicode());
    emit KeyPress(keyAscii);
}

void GifViewerWidget::mousePressEvent(QMouseEvent* event) {
    click_.Pressed(*event);
    std::int16_t button = ButtonMask(event->button());
    std::int16_t shift = ShiftMask(event->modifiers());
    float x = static_cast<float>(event->position().x());
    float y = static_cast<float>(event->position().y());
    emit MouseDown(button, shift, x, y);
}

void GifViewerWidget::mouseMoveEvent(QMouseEvent* event) {
    std::int16_t button = ButtonMask(event->buttons());
    std::int16_t shift = ShiftMask(event->modifiers());
    float x = static_cast<float>(event->position().x());
    float y = static_cast<float>(event->position().y());
    emit MouseMove(button, shift, x, y);
}

void GifViewerWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = click_.Released(*event, rect());
    std::int16_t button = ButtonMask(event->button());
    std::int16_t shift = ShiftMask(event->modifiers());
    float x = static_cast<float>(event->position().x());
    float y = static_cast<float>(event->position().y());
    emit MouseUp(button, shift, x, y);
    if (click) emit Click();
}

void GifViewerWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is the double click itself: no MouseDown, and its
    // release brings MouseUp but no second Click.
    if (event->button() == Qt::LeftButton) {
        click_.Cancel();
        emit DblClick();
    } else {
        mousePressEvent(event);
    }
}

void GifViewerWidget::SetTimerInterval(std::int32_t milliseconds) {
    timerInterval_ = milliseconds;
    // Setting the interval of a running QTimer restarts it, as a new interval does here.
    delayTimer_.setInterval(EffectiveTimerInterval(milliseconds));
}

void GifViewerWidget::SetTimerEnabled(bool enabled) {
    if (enabled == delayTimer_.isActive()) return;
    if (enabled) {
        delayTimer_.start();
    } else {
        delayTimer_.stop();
    }
}

void GifViewerWidget::SetBackColor(platform::OLE_COLOR colour) {
    backColor_ = colour;
    // The window erases itself in its new colour and asks the control to paint.
    surface_.Clear(TranslatedColour(backColor_));
    viewer_->Paint();
    update();
}

void GifViewerWidget::SetBorderStyle(std::int16_t style) {
    borderStyle_ = style;
    const int margin = style == kFixedSingle ? kBorderWidth : 0;
    setContentsMargins(margin, margin, margin, margin);
    MakeSurface();
    viewer_->Resize();
    update();
}

std::vector<std::uint8_t> GifViewerWidget::ReadResource(const std::string& resourceId,
                                                        const std::string& resourceType) {
    // Resources live in the Qt resource system under ":/TYPE/ID".
    const QString path = QStringLiteral(":/%1/%2").arg(QString::fromStdString(resourceType),
                                                       QString::fromStdString(resourceId));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("no resource \"" + resourceId + "\" of type \"" + resourceType +
                                 "\"");
    }
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace controls
