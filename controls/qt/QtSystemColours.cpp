#include "controls/qt/QtSystemColours.h"

#include <QPalette>

#include "platform/SystemColors.h"

namespace controls {

void TakeSystemColoursFrom(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Active, QPalette::Button);
    platform::SetSysColor(platform::kColorBtnFace,
                          platform::gdi::MakeColorRef(face.red(), face.green(), face.blue()));
}

}  // namespace controls
