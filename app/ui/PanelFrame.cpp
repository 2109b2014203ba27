#include "app/ui/PanelFrame.h"

#include <QPainter>

namespace ui {

namespace {

// The border's grey, a little bluer than the panel it edges.
const QColor kBorderColour(150, 156, 164);
constexpr int kBorderTop = 9;  // the caption's middle, about
constexpr qreal kCornerRadius = 5;
constexpr int kCaptionLeft = 4;
constexpr int kCaptionPadding = 1;

}  // namespace

PanelFrame::PanelFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void PanelFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());

    // The border runs behind the caption, not through it.
    painter.save();
    painter.setClipRegion(QRegion(rect()).subtracted(caption));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(kBorderColour);
    painter.drawRoundedRect(QRectF(rect().adjusted(0, kBorderTop, -1, -1)).translated(0.5, 0.5),
                            kCornerRadius, kCornerRadius);
    painter.restore();

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

}  // namespace ui
