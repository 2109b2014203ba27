#include "controls/qt/FocusMark.h"

#include <QPainter>
#include <QRect>
#include <QVector>

namespace controls {
namespace {

// How far inside the control's edge the mark runs, in pixels.
constexpr int kFocusMarkInset = 2;

}  // namespace

void DrawFocusMark(QPainter& painter, const QRect& bounds) {
    // Dots alternately black and white, so that the mark shows on a dark picture as well as
    // on a light one.
    const QRect frame =
        bounds.adjusted(kFocusMarkInset, kFocusMarkInset, -kFocusMarkInset, -kFocusMarkInset);
    QVector<QPoint> dots[2];
    const auto dot = [&](int x, int y) { dots[(x + y) & 1].append(QPoint(x, y)); };
    for (int x = frame.left(); x <= frame.right(); ++x) {
        dot(x, frame.top());
        dot(x, frame.bottom());
    }
    for (int y = frame.top() + 1; y < frame.bottom(); ++y) {
        dot(frame.left(), y);
        dot(frame.right(), y);
    }
    painter.setPen(Qt::white);
    painter.drawPoints(dots[0].constData(), static_cast<int>(dots[0].size()));
    painter.setPen(Qt::black);
    painter.drawPoints(dots[1].constData(), static_cast<int>(dots[1].size()));
}

}  // namespace controls
