#include "app/ui/PopupMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPoint>

namespace ui {

namespace PopupMenu {

int ShowPopupMenu(QWidget* owner) {
    return ShowPopupMenu(owner, QCursor::pos());
}

int ShowPopupMenu(QWidget* owner, const QPoint& anchor) {
    // The menu lives only for this one choice.
    QMenu menu(owner);
    for (const MenuItem& item : kMenuItems) {
        QAction* action = menu.addAction(QCoreApplication::translate("PopupMenu", item.Text));
        action->setData(item.Command);
    }
    // Right-aligned: the menu opens to the left of the anchor. Near the screen's left
    // edge Qt moves it back onto the screen.
    const QAction* chosen = menu.exec(QPoint(anchor.x() - menu.sizeHint().width(), anchor.y()));
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace PopupMenu

}  // namespace ui
