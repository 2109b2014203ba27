#pragma once
// Moves a window that has no title bar by the mouse: a left press on one of its handles and a
// move drag the whole window. The window system moves it where it will (under Wayland a window
// cannot place itself); elsewhere the window follows the pointer itself.

#include <QObject>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace ui {

class WindowDrag : public QObject {
  public:
    // How a press on a handle becomes a drag.
    enum class Start {
        AtPress,           // at once: the handle is bare background, a press means nothing else
        PastDragDistance,  // once the mouse has moved the drag distance: until then the press
                           // may still be the handle's click, and a drag ends without it
    };

    // Drags `window`; owned by it.
    explicit WindowDrag(QWidget* window);

    // Presses on `handle` (the window itself or a widget in it) drag the window; only those
    // inside `area`, in the handle's coordinates, where it is given.
    void AddHandle(QWidget* handle, Start start, const QRect& area = QRect());

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Press(QWidget* handle, const QMouseEvent& mouse);
    bool Move(const QPoint& globalPosition);  // true while the window is dragged
    bool Release();                           // true when a drag has ended
    bool StartSystemMove();  // false when the window system will not move the window

    QWidget* window_;
    bool pressed_ = false;  // left button down on a handle: a drag may begin
    bool dragging_ = false;
    QPoint start_;
    QPoint offset_;  // from the window's corner to the pointer
};

}  // namespace ui
