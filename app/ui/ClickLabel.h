#pragma once
// A label that reports a click: a left press and release on it.

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

  private:
    controls::ClickTracker click_;
};

}  // namespace ui
