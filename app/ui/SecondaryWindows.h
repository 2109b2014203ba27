#pragma once
// The main window's Quick Help and About windows: one of each at a time, opened from the
// menu button's popup menu and closed with the main window.

#include <QPointer>
#include <functional>
#include <memory>

class QPoint;
class QWidget;

namespace ui {
class SystemInfoStarter;
class AboutDialog;
class QuickHelpWindow;

class SecondaryWindows {
  public:
    using StarterFactory = std::function<std::unique_ptr<SystemInfoStarter>()>;

    // `owner` is the main window; `makeStarter` gives each new About window its starter
    // of the information tool (the desktop's by default).
    explicit SecondaryWindows(QWidget* owner, StarterFactory makeStarter = {});
    ~SecondaryWindows();
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    // Pops the menu up at the cursor (or with its top right corner at `anchor`, in screen
    // coordinates) and opens the window chosen; nothing on dismissal.
    void RunPopupMenu();
    void RunPopupMenu(const QPoint& anchor);
    // Opens the window of a menu command; any other command does nothing.
    void OpenCommand(int command);

    // Shows the window, modeless: the open one again, or a freshly loaded one.
    QuickHelpWindow* ShowQuickHelp();
    AboutDialog* ShowAbout();

    // Closes whichever of the two is open.
    void CloseAll();

    // The open windows, or null.
    QuickHelpWindow* QuickHelp() const;
    AboutDialog* About() const;

  private:
    QWidget* owner_;
    StarterFactory makeStarter_;
    QPointer<QuickHelpWindow> quickHelp_;
    QPointer<AboutDialog> about_;
};

}  // namespace ui
