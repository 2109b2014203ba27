#pragma once
// The Quick Help window: a short usage text, white on navy, filling the window.

#include <QString>
#include <QWidget>

#include "app/ui/Twips.h"

class QLabel;

namespace ui {

class QuickHelpWindow : public QWidget {
    Q_OBJECT
  public:
    // The client area.
    static constexpr int kClientWidth = Twips::ToPixels(4680);
    static constexpr int kClientHeight = Twips::ToPixels(3465);

    // A window of its own owned by `owner` (it stays out of the task bar and closes with
    // it). Loads its text from the branding at once.
    explicit QuickHelpWindow(QWidget* owner);

    QLabel* textLabel() const { return textLabel_; }
    // The help text as built, with its carriage returns; the label shows it with each
    // line break as a new line.
    const QString& Caption() const { return caption_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Escape closes the window

  private:
    void LoadTexts();

    QLabel* textLabel_;
    QString caption_;
    bool placed_ = false;
};

}  // namespace ui
