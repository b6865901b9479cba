#include "gauge/read_number.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace kolvex {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double read_number(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_space(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  // Where the first significant digit stands relative to the point, to tell an overflow from
  // an underflow when the value is out of range.
  long long magnitude = 0;
  bool seen_significant = false;
  std::size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) {
    if (text[i] != '0') {
      seen_significant = true;
    }
    if (seen_significant) {
      ++magnitude;
    }
    ++digits;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) {
      if (!seen_significant) {
        if (text[i] != '0') {
          seen_significant = true;
        } else {
          --magnitude;
        }
      }
      ++digits;
      ++i;
    }
  }
  if (digits == 0) {
    return 0.0;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      exponent_negative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && is_digit(text[j])) {
      long long exponent = 0;
      while (j < text.size() && is_digit(text[j])) {
        if (exponent < 100000) {
          exponent = exponent * 10 + (text[j] - '0');
        }
        ++j;
      }
      magnitude += exponent_negative ? -exponent : exponent;
      i = j;
    }
  }
  if (!seen_significant) {
    return negative ? -0.0 : 0.0;
  }
  double value = 0.0;
  const auto result =
      std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

}  // namespace kolvex
