#pragma once

#include <QtGlobal>

class QPoint;
class QWidget;

namespace ui {
// The menu of the main window's menu button: "Quick Help" and "About", shown at the
// mouse cursor.

namespace PopupMenu {

// Command identifiers of the menu's items.
inline constexpr int kCommandAbout = 1000;
inline constexpr int kCommandQuickHelp = 1001;

// The items in the order they are inserted: position 0 first. The texts are shown in the
// user's language (translation context "PopupMenu").
struct MenuItem {
    const char* Text;
    int Command;
};
inline constexpr MenuItem kMenuItems[] = {
    {QT_TRANSLATE_NOOP("PopupMenu", "Quick Help"), kCommandQuickHelp},
    {QT_TRANSLATE_NOOP("PopupMenu", "About"), kCommandAbout},
};

// Pops the menu up at the cursor with its right edge at the cursor, owned by `owner`, and
// waits until the user chooses an item (with either mouse button or the keyboard) or
// dismisses the menu. Returns the chosen item's command, or 0 when dismissed.
int ShowPopupMenu(QWidget* owner);
// The same with the menu's top right corner at `anchor` (screen coordinates) instead of
// the cursor: for a menu opened from the keyboard.
int ShowPopupMenu(QWidget* owner, const QPoint& anchor);

}  // namespace PopupMenu

}  // namespace ui
