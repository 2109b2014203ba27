#include "QtCursorProbe.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace controls {

ScreenPoint QtCursorProbe::GetCursorPos() const {
    const QPoint position = QCursor::pos();
    return {position.x(), position.y()};
}

WindowHandle QtCursorProbe::WindowFromPoint(ScreenPoint point) const {
    return QApplication::widgetAt(QPoint(point.x, point.y));
}

const QtCursorProbe& QtCursorProbe::Instance() {
    static const QtCursorProbe probe;
    return probe;
}

}  // namespace controls
