#include "app/ui/ClickLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/qt/FocusMark.h"

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

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    emit Click();
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    controls::DrawFocusMark(painter, rect());
}

void ClickLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
}

}  // namespace ui
