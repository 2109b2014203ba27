#include "controls/qt/QtCursorProbe.h"

#include <QWidget>

namespace controls {

void QtCursorProbe::Entered(const QPointF& position) {
    position_ = position;
    pointerInside_ = true;
}

void QtCursorProbe::Left() {
    pointerInside_ = false;
}

void QtCursorProbe::Moved(const QPointF& position) {
    position_ = position;
    if (widget_.rect().contains(position.toPoint())) pointerInside_ = true;
}

ScreenPoint QtCursorProbe::GetCursorPos() const {
    const QPoint global = widget_.mapToGlobal(position_.toPoint());
    return {global.x(), global.y()};
}

WindowHandle QtCursorProbe::WindowFromPoint(ScreenPoint point) const {
    if (!pointerInside_) return nullptr;
    const QPoint local = widget_.mapFromGlobal(QPoint(point.x, point.y));
    return widget_.rect().contains(local) ? &widget_ : nullptr;
}

}  // namespace controls
