#pragma once
// The About window: the program's title, version and description, and a button that
// starts the system's information tool.

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;
class SystemInfoStarter;

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    // Client area 5730 x 3555 twips.
    static constexpr int kClientWidth = 382;
    static constexpr int kClientHeight = 237;

    // A modeless window owned by `owner`; `starter` finds and starts the information tool.
    // Loads its texts from the branding at once.
    AboutDialog(QWidget* owner, std::unique_ptr<SystemInfoStarter> starter);
    ~AboutDialog() override;

    // Starts the system-information tool, or tells the user that there is none.
    void StartSysInfo();

    QLabel* picIcon() const { return picIcon_; }
    QLabel* lblTitle() const { return lblTitle_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblDescription() const { return lblDescription_; }
    QLabel* lblDisclaimer() const { return lblDisclaimer_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

  protected:
    // Escape presses cmdOK, as a cancel button.
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();

    std::unique_ptr<SystemInfoStarter> starter_;
    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};
