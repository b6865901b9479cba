// Taking the integer part of a double without undefined behaviour.
#pragma once

#include <climits>
#include <cmath>

namespace kolvex {

// The integer part of value, truncated toward zero. A value outside the int range, or NaN,
// gives INT_MIN, the "integer indefinite" a 32-bit x86 conversion produces for it.
inline int truncate_to_int(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) {
    return INT_MIN;
  }
  return static_cast<int>(value);
}

// True when the integer part of value fits an int.
inline bool fits_int(double value) {
  return value > -2147483649.0 && value < 2147483648.0;
}

}  // namespace kolvex
