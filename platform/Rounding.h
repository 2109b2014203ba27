#pragma once
// Turning a computed size or position into a whole number, as the platform's own conversions
// do it: to the nearest, halves to the even neighbour.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace platform {

// The whole number nearest `value`, halves to the even one (2.5 gives 2, 3.5 gives 4). Built
// on std::round, which ignores the floating-point rounding mode, so the result is the same
// whatever mode a library may have left the process in, and nothing has to switch it.
inline double RoundHalfToEven(double value) {
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(nearest - value) != 0.5) return nearest;
    return 2.0 * std::round(value / 2.0);  // a half: the even one of its two neighbours
}

// RoundHalfToEven as a 32-bit integer. Throws std::overflow_error with `what` when the result
// does not fit in 32 bits (also for NaN).
inline std::int32_t RoundHalfEvenToInt32(double value, const char* what) {
    const double rounded = RoundHalfToEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error(what);
    return static_cast<std::int32_t>(rounded);
}

}  // namespace platform
