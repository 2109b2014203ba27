#include "app/ui/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace ui {

namespace {

const char* const kStartProperty = "windowDragStart";
const char* const kAreaProperty = "windowDragArea";

}  // namespace

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {}

void WindowDrag::AddHandle(QWidget* handle, Start start, const QRect& area) {
    handle->setProperty(kStartProperty, static_cast<int>(start));
    handle->setProperty(kAreaProperty, area);
    handle->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            return Press(static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return Move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        case QEvent::MouseButtonRelease:
            return Release();
        default:
            return false;
    }
}

bool WindowDrag::Press(QWidget* handle, const QMouseEvent& mouse) {
    if (mouse.button() != Qt::LeftButton) return false;
    const QRect area = handle->property(kAreaProperty).toRect();
    if (!area.isNull() && !area.contains(mouse.position().toPoint())) return false;
    pressed_ = true;
    dragging_ = false;
    start_ = mouse.globalPosition().toPoint();
    offset_ = start_ - window_->pos();
    if (static_cast<Start>(handle->property(kStartProperty).toInt()) == Start::PastDragDistance) {
        return false;  // the handle sees the press: it may yet be a click
    }
    dragging_ = true;
    if (StartSystemMove()) pressed_ = false;
    return true;
}

bool WindowDrag::Move(const QPoint& globalPosition) {
    if (!pressed_) return false;
    if (!dragging_ &&
        (globalPosition - start_).manhattanLength() < QApplication::startDragDistance()) {
        return false;
    }
    if (!dragging_) {
        dragging_ = true;
        if (StartSystemMove()) {
            pressed_ = false;  // the window system has the pointer now
            return true;
        }
    }
    window_->move(globalPosition - offset_);
    return true;
}

bool WindowDrag::Release() {
    const bool dragged = dragging_;
    pressed_ = false;
    dragging_ = false;
    return dragged;
}

bool WindowDrag::StartSystemMove() {
    // The window system moves the window: the only way under Wayland, and the usual one under
    // X11 with a window manager. Where the platform refuses (X11 without a window manager),
    // the window moves itself.
    QWindow* window = window_->windowHandle();
    return window != nullptr && window->startSystemMove();
}

}  // namespace ui
