#pragma once
// A panel of the main window: a thin rounded border with its caption set into the top edge,
// drawn by the panel itself in its palette's colours, so that the window's palette reaches
// everything inside it (a style sheet would stop it there).

#include <QGroupBox>

namespace ui {

class PanelFrame : public QGroupBox {
  public:
    PanelFrame(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
