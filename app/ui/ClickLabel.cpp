#include "app/ui/ClickLabel.h"

#include <QMouseEvent>

namespace ui {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);  // branding texts are shown as they are, markup included
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (!click_.Pressed(*event)) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !click_.Pending()) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (click_.Released(*event, rect())) emit Click();
}

}  // namespace ui
