#include "app/ui/SecondaryWindows.h"

#include <QPoint>

#include "app/ui/AboutDialog.h"
#include "app/ui/PopupMenu.h"
#include "app/ui/QuickHelpWindow.h"
#include "app/ui/SystemInfoStarter.h"

namespace ui {

namespace {

// A closed window deletes itself on the next turn of the event loop; until then it is
// hidden and no longer counts as open.
template <typename Window>
Window* OpenWindow(const QPointer<Window>& window) {
    return window && window->isVisible() ? window.data() : nullptr;
}

template <typename Window>
void BringUp(Window* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

SecondaryWindows::SecondaryWindows(QWidget* owner, StarterFactory makeStarter)
    : owner_(owner), makeStarter_(std::move(makeStarter)) {
    if (!makeStarter_) makeStarter_ = MakeDesktopSystemInfoStarter;
}

SecondaryWindows::~SecondaryWindows() {
    CloseAll();
}

void SecondaryWindows::RunPopupMenu() {
    OpenCommand(PopupMenu::ShowPopupMenu(owner_));
}

void SecondaryWindows::RunPopupMenu(const QPoint& anchor) {
    OpenCommand(PopupMenu::ShowPopupMenu(owner_, anchor));
}

void SecondaryWindows::OpenCommand(int command) {
    if (command == PopupMenu::kCommandAbout) {
        ShowAbout();
    } else if (command == PopupMenu::kCommandQuickHelp) {
        ShowQuickHelp();
    }
}

QuickHelpWindow* SecondaryWindows::ShowQuickHelp() {
    if (!OpenWindow(quickHelp_)) quickHelp_ = new QuickHelpWindow(owner_);
    BringUp(quickHelp_.data());
    return quickHelp_;
}

AboutDialog* SecondaryWindows::ShowAbout() {
    if (!OpenWindow(about_)) about_ = new AboutDialog(owner_, makeStarter_());
    BringUp(about_.data());
    return about_;
}

void SecondaryWindows::CloseAll() {
    if (quickHelp_) quickHelp_->close();
    if (about_) about_->close();
}

QuickHelpWindow* SecondaryWindows::QuickHelp() const {
    return OpenWindow(quickHelp_);
}

AboutDialog* SecondaryWindows::About() const {
    return OpenWindow(about_);
}

}  // namespace ui
