#pragma once

class QWidget;

namespace ui {
// What screen readers see of a control whose click opens the branding link (the name line
// and the banners): while it links, a link with a press action that raises the control's
// Click signal, as a mouse click does; otherwise a plain label or picture. Its name is its
// accessible name, or a label's text.

namespace AccessibleLink {

// Takes `widget` under this description (before a screen reader first asks for it) and
// says whether it links now. The widget must have a Click() signal.
void SetLinks(QWidget* widget, bool links);

}  // namespace AccessibleLink

}  // namespace ui
