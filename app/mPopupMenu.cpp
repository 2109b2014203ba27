#include "mPopupMenu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPoint>

namespace mPopupMenu {

int ShowPopupMenu(QWidget* owner) {
    // The menu lives only for this one choice.
    QMenu menu(owner);
    for (const MenuItem& item : kMenuItems) {
        QAction* action = menu.addAction(QString::fromLatin1(item.Text));
        action->setData(item.Command);
    }
    // Right-aligned: the menu opens to the left of the cursor. Near the screen's left
    // edge Qt moves it back onto the screen.
    const QPoint cursor = QCursor::pos();
    const QAction* chosen = menu.exec(QPoint(cursor.x() - menu.sizeHint().width(), cursor.y()));
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace mPopupMenu
