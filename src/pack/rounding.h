#pragma once
// Rounding to the nearest whole number with halves going to the even neighbour
// (2.5 -> 2, 3.5 -> 4), the rule every scaled and rotated coordinate follows.

#include <cmath>

namespace korvo {

inline int roundHalfEven(double v) {
    // The default floating-point rounding mode rounds halves to even.
    return int(std::nearbyint(v));
}

} // namespace korvo
