#pragma once
// The About window: the program's title, version and description, and a button that
// starts the system's information tool.

#include <QDialog>
#include <memory>

#include "app/ui/Twips.h"

class QLabel;
class QPushButton;

namespace ui {
class SystemInfoStarter;

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    // The client area.
    static constexpr int kClientWidth = Twips::ToPixels(5730);
    static constexpr int kClientHeight = Twips::ToPixels(3555);

    // A modeless window owned by `owner`; `starter` finds and starts the information tool.
    // Loads its texts from the branding at once.
    AboutDialog(QWidget* owner, std::unique_ptr<SystemInfoStarter> starter);
    ~AboutDialog() override;

    // Starts the system-information tool, or tells the user that there is none.
    void StartSystemInfo();

    QLabel* iconPicture() const { return iconPicture_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* versionLabel() const { return versionLabel_; }
    QLabel* descriptionLabel() const { return descriptionLabel_; }
    QLabel* disclaimerLabel() const { return disclaimerLabel_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* systemInfoButton() const { return systemInfoButton_; }

  protected:
    // Escape presses okButton, as a cancel button.
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void LoadTexts();

    std::unique_ptr<SystemInfoStarter> starter_;
    QLabel* iconPicture_;
    QLabel* titleLabel_;
    QLabel* versionLabel_;
    QLabel* descriptionLabel_;
    QLabel* disclaimerLabel_;
    QPushButton* okButton_;
    QPushButton* systemInfoButton_;
};

}  // namespace ui
