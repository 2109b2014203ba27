#pragma once
// What makes a click on a widget: a left press on it and a left release on it. Releasing
// elsewhere cancels the click, and the second press of a double click starts none (the
// double click is its own event).

#include <QMouseEvent>
#include <QRect>

namespace controls {

class ClickTracker {
  public:
    // A press; true when it starts a click (the left button).
    bool Pressed(const QMouseEvent& event) {
        if (event.button() != Qt::LeftButton) return false;
        pressed_ = true;
        return true;
    }
    // A release; true when it completes a click inside `area` (the widget's own rectangle).
    bool Released(const QMouseEvent& event, const QRect& area) {
        if (event.button() != Qt::LeftButton) return false;
        const bool click = pressed_ && area.contains(event.position().toPoint());
        pressed_ = false;
        return click;
    }
    // The second press of a double click: its release completes no click.
    void Cancel() { pressed_ = false; }
    // A left press waits for its release.
    bool Pending() const { return pressed_; }

  private:
    bool pressed_ = false;
};

}  // namespace controls
