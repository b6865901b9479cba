// The one number reader of the gauge: the decimal number at the start of a text.
#pragma once

#include <string_view>

namespace kolvex {

// Reads leading white space, an optional sign, decimal digits with an optional point (at least
// one digit), and an optional exponent ("e" or "E", an optional sign, digits; an "e" without
// digits after it is not consumed). Hexadecimal, "inf" and "nan" are not numbers. Returns 0 when
// no number starts the text; a value beyond the range of a double reads as an infinity of its
// sign, one too small for it as 0. The result is correctly rounded on every platform.
double read_number(std::string_view text);

}  // namespace kolvex
