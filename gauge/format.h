// The one formatting helper of the gauge: one printf-style conversion at a time, written into a
// bounded buffer, with the same result on every platform.
//
// Conversions: "%[-][0][width][.precision]f" for doubles, "%[-][0][width]d" for integers,
// "%[-][width][.precision]s" for texts. Fixed-point values are rounded from their exact binary
// value to the nearest shown digit, exact ties away from zero (0.125 as "%.2f" is "0.13", 190.5
// as "%0.0f" is "191"); a negative value that rounds to zero keeps its sign ("%5.0f" of -0.2 is
// "   -0"). NaN and infinities print as "nan", "inf" and "-inf", padded with spaces.
#pragma once

#include <cstddef>
#include <string_view>

namespace kolvex {

// Writes the converted value into out (capacity bytes, the NUL included), cut to fit, and
// returns the length the whole conversion has, which may exceed what was written. An
// unrecognised pattern writes nothing.
std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern, double value);
std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern, int value);
std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern,
                         std::string_view value);
inline std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern,
                                const char* value) {
  return format_value(out, capacity, pattern, std::string_view(value));
}

}  // namespace kolvex
