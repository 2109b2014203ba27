#include "app/ui/DesignPalette.h"

namespace ui {

QPalette DesignPalette(const QColor& face) {
    // The classic light desktop's colours; every role is set in every group, so none of
    // them follows the application's palette.
    const QColor black(0, 0, 0), white(255, 255, 255);
    const QColor disabledText(109, 109, 109);
    QPalette palette;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::WindowText, disabled ? disabledText : black);
        palette.setColor(group, QPalette::Base, disabled ? QColor(240, 240, 240) : white);
        palette.setColor(group, QPalette::AlternateBase, QColor(245, 245, 245));
        palette.setColor(group, QPalette::Text, disabled ? disabledText : black);
        palette.setColor(group, QPalette::PlaceholderText, disabledText);
        palette.setColor(group, QPalette::Button, QColor(240, 240, 240));
        palette.setColor(group, QPalette::ButtonText, disabled ? disabledText : black);
        palette.setColor(group, QPalette::BrightText, white);
        palette.setColor(group, QPalette::Light, white);
        palette.setColor(group, QPalette::Midlight, QColor(227, 227, 227));
        palette.setColor(group, QPalette::Mid, QColor(160, 160, 160));
        palette.setColor(group, QPalette::Dark, QColor(160, 160, 160));
        palette.setColor(group, QPalette::Shadow, QColor(105, 105, 105));
        // The selection looks the same whether the window is active or not.
        palette.setColor(group, QPalette::Highlight, QColor(0, 102, 204));
        palette.setColor(group, QPalette::HighlightedText, white);
        palette.setColor(group, QPalette::Link, QColor(0, 0, 255));
        palette.setColor(group, QPalette::LinkVisited, QColor(128, 0, 128));
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, black);
    }
    return palette;
}

}  // namespace ui
