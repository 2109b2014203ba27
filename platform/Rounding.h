#pragma once
// Turning a computed size or position into a whole number, as the platform's own conversions
// do it.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace platform {

// The nearest integer, halves to the even neighbour (the default rounding mode). Throws
// std::overflow_error with `what` when the result does not fit in 32 bits (also for NaN).
inline std::int32_t RoundHalfEvenToInt32(double value, const char* what) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error(what);
    return static_cast<std::int32_t>(rounded);
}

}  // namespace platform
