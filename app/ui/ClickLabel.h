#pragma once
// A label that reports a click: a left press and release on it, or Enter or Space while it
// has the keyboard focus (which it shows with the picture buttons' focus mark).

#include <QLabel>

#include "controls/qt/ClickTracker.h"

namespace ui {

class ClickLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ClickLabel(QWidget* parent = nullptr);

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    controls::ClickTracker click_;
};

}  // namespace ui
