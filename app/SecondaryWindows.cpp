#include "SecondaryWindows.h"

#include <QPoint>

#include "SysInfoStarter.h"
#include "fAbout.h"
#include "fQuickHelp.h"
#include "mPopupMenu.h"

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
    if (!makeStarter_) makeStarter_ = MakeDesktopSysInfoStarter;
}

SecondaryWindows::~SecondaryWindows() {
    CloseAll();
}

void SecondaryWindows::RunPopupMenu() {
    OpenCommand(mPopupMenu::ShowPopupMenu(owner_));
}

void SecondaryWindows::RunPopupMenu(const QPoint& anchor) {
    OpenCommand(mPopupMenu::ShowPopupMenu(owner_, anchor));
}

void SecondaryWindows::OpenCommand(int command) {
    if (command == mPopupMenu::kCommandAbout) {
        ShowAbout();
    } else if (command == mPopupMenu::kCommandQuickHelp) {
        ShowQuickHelp();
    }
}

fQuickHelp* SecondaryWindows::ShowQuickHelp() {
    if (!OpenWindow(quickHelp_)) quickHelp_ = new fQuickHelp(owner_);
    BringUp(quickHelp_.data());
    return quickHelp_;
}

fAbout* SecondaryWindows::ShowAbout() {
    if (!OpenWindow(about_)) about_ = new fAbout(owner_, makeStarter_());
    BringUp(about_.data());
    return about_;
}

void SecondaryWindows::CloseAll() {
    if (quickHelp_) quickHelp_->close();
    if (about_) about_->close();
}

fQuickHelp* SecondaryWindows::QuickHelp() const {
    return OpenWindow(quickHelp_);
}

fAbout* SecondaryWindows::About() const {
    return OpenWindow(about_);
}
