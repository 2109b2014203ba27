#pragma once
// Qt's mouse buttons and keyboard modifiers in the form the controls' events carry them.

#include <Qt>
#include <cstdint>

namespace controls {

// 1 left, 2 right, 4 middle.
std::int16_t ButtonMask(Qt::MouseButtons buttons);
// 1 shift, 2 control, 4 alt.
std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace controls
