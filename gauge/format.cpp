#include "gauge/format.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace kolvex {
namespace {

struct Pattern {
  bool left = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
  char conversion = '\0';
};

bool parse_pattern(std::string_view text, Pattern& pattern) {
  std::size_t i = 0;
  if (i >= text.size() || text[i] != '%') {
    return false;
  }
  ++i;
  for (; i < text.size() && (text[i] == '-' || text[i] == '0'); ++i) {
    (text[i] == '-' ? pattern.left : pattern.zero) = true;
  }
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    pattern.width = pattern.width * 10 + (text[i] - '0');
    if (pattern.width > 999) {
      return false;
    }
  }
  if (i < text.size() && text[i] == '.') {
    pattern.precision = 0;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      pattern.precision = pattern.precision * 10 + (text[i] - '0');
      if (pattern.precision > 99) {
        return false;
      }
    }
  }
  if (i + 1 != text.size()) {
    return false;
  }
  pattern.conversion = text[i];
  return pattern.conversion == 'f' || pattern.conversion == 'd' || pattern.conversion == 's';
}

// Collects output into a bounded buffer, counting what did not fit.
class Sink {
 public:
  Sink(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {
    if (capacity_ > 0) {
      out_[0] = '\0';
    }
  }
  void put(char c) {
    if (length_ + 1 < capacity_) {
      out_[length_] = c;
      out_[length_ + 1] = '\0';
    }
    ++length_;
  }
  void put(std::string_view text) {
    for (char c : text) {
      put(c);
    }
  }
  void repeat(char c, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      put(c);
    }
  }
  std::size_t length() const { return length_; }

 private:
  char* out_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

// Lays out sign, digits and padding as printf does.
void emit(Sink& sink, const Pattern& pattern, bool negative, std::string_view body,
          bool may_zero_pad) {
  const std::size_t length = body.size() + (negative ? 1 : 0);
  const std::size_t pad = pattern.width > 0 && static_cast<std::size_t>(pattern.width) > length
                              ? pattern.width - length
                              : 0;
  if (!pattern.left && !(pattern.zero && may_zero_pad)) {
    sink.repeat(' ', pad);
  }
  if (negative) {
    sink.put('-');
  }
  if (!pattern.left && pattern.zero && may_zero_pad) {
    sink.repeat('0', pad);
  }
  sink.put(body);
  if (pattern.left) {
    sink.repeat(' ', pad);
  }
}

// A little fixed-size unsigned big number, enough for every finite double's integer part
// (below 2^1024) and for its binary fraction (at most 1074 bits).
class BigNumber {
 public:
  static constexpr int kLimbs = 36;  // 36 x 32 = 1152 bits

  void set(std::uint64_t value) {
    for (auto& limb : limbs_) {
      limb = 0;
    }
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
  }
  void shift_left(int bits) {
    const int words = bits / 32;
    const int rest = bits % 32;
    for (int i = kLimbs - 1; i >= 0; --i) {
      std::uint64_t value = 0;
      if (i - words >= 0) {
        value = static_cast<std::uint64_t>(limbs_[i - words]) << rest;
        if (rest != 0 && i - words - 1 >= 0) {
          value |= limbs_[i - words - 1] >> (32 - rest);
        }
      }
      limbs_[i] = static_cast<std::uint32_t>(value);
    }
  }
  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
  }
  // Divides in place and returns the remainder.
  std::uint32_t divide(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = kLimbs - 1; i >= 0; --i) {
      const std::uint64_t value = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(value / divisor);
      remainder = value % divisor;
    }
    return static_cast<std::uint32_t>(remainder);
  }
  bool is_zero() const {
    for (auto limb : limbs_) {
      if (limb != 0) {
        return false;
      }
    }
    return true;
  }
  // The value of the bits at and above `bit`, when that value is small (a decimal digit).
  std::uint32_t bits_from(int bit) const {
    std::uint32_t value = 0;
    for (int b = bit + 3; b >= bit; --b) {
      value = (value << 1) | get_bit(b);
    }
    return value;
  }
  void clear_from(int bit) {
    for (int b = bit; b < kLimbs * 32; ++b) {
      if (b % 32 == 0) {
        limbs_[b / 32] = 0;
        b += 31;
      } else {
        limbs_[b / 32] &= ~(std::uint32_t{1} << (b % 32));
      }
    }
  }
  // Compares with 2^bit: -1 below, 0 equal, 1 above.
  int compare_power_of_two(int bit) const {
    for (int b = kLimbs * 32 - 1; b > bit; --b) {
      if (get_bit(b) != 0) {
        return 1;
      }
    }
    if (get_bit(bit) == 0) {
      return -1;
    }
    for (int b = bit - 1; b >= 0; --b) {
      if (get_bit(b) != 0) {
        return 1;
      }
    }
    return 0;
  }

 private:
  std::uint32_t get_bit(int b) const {
    if (b < 0 || b >= kLimbs * 32) {
      return 0;
    }
    return (limbs_[b / 32] >> (b % 32)) & 1u;
  }
  std::uint32_t limbs_[kLimbs] = {};
};

// Decimal digits of |value| with `precision` fraction digits, rounded from the exact binary
// value, ties away from zero. Writes integer digits, then the point and fraction when
// precision > 0, into text and returns its length.
std::size_t fixed_digits(double value, int precision, char* text, std::size_t capacity) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(std::fabs(value));
  const int exponent_field = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = -1074;
  if (exponent_field != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = exponent_field - 1075;
  }

  // Integer digits, least significant first, then reversed.
  char integer_digits[340];
  std::size_t integer_length = 0;
  char fraction_digits[100];
  std::uint64_t whole = 0;
  bool round_up = false;
  if (mantissa == 0) {
    for (int i = 0; i < precision; ++i) {
      fraction_digits[i] = '0';
    }
  } else if (exponent >= 0 && exponent <= 11) {
    whole = mantissa << exponent;
    for (int i = 0; i < precision; ++i) {
      fraction_digits[i] = '0';
    }
  } else if (exponent >= 0) {
    // Beyond 2^64 the integer part needs the big number.
    BigNumber number;
    number.set(mantissa);
    number.shift_left(exponent);
    do {
      std::uint32_t chunk = number.divide(1000000000u);
      const bool last = number.is_zero();
      for (int i = 0; i < 9 && (!last || chunk != 0 || i == 0); ++i) {
        integer_digits[integer_length++] = static_cast<char>('0' + chunk % 10);
        chunk /= 10;
      }
    } while (!number.is_zero());
    for (int i = 0; i < precision; ++i) {
      fraction_digits[i] = '0';
    }
  } else if (-exponent <= 60) {
    // The fraction times ten stays below 2^64, so plain 64-bit arithmetic is exact.
    const int fraction_bits = -exponent;
    const std::uint64_t mask = (std::uint64_t{1} << fraction_bits) - 1;
    whole = mantissa >> fraction_bits;
    std::uint64_t rest = mantissa & mask;
    for (int i = 0; i < precision; ++i) {
      rest *= 10;
      fraction_digits[i] = static_cast<char>('0' + (rest >> fraction_bits));
      rest &= mask;
    }
    round_up = rest >= (std::uint64_t{1} << (fraction_bits - 1));
  } else {
    const int fraction_bits = -exponent;
    whole = fraction_bits < 64 ? mantissa >> fraction_bits : 0;
    BigNumber number;
    number.set(fraction_bits < 64 ? mantissa & ((std::uint64_t{1} << fraction_bits) - 1)
                                  : mantissa);
    for (int i = 0; i < precision; ++i) {
      number.multiply(10);
      fraction_digits[i] = static_cast<char>('0' + number.bits_from(fraction_bits));
      number.clear_from(fraction_bits);
    }
    round_up = number.compare_power_of_two(fraction_bits - 1) >= 0;
  }
  // At or above one half of the last shown digit, the magnitude rounds up.
  if (round_up) {
    int i = precision - 1;
    for (; i >= 0; --i) {
      if (fraction_digits[i] == '9') {
        fraction_digits[i] = '0';
      } else {
        ++fraction_digits[i];
        break;
      }
    }
    if (i < 0) {
      ++whole;
    }
  }
  if (integer_length == 0) {
    do {
      integer_digits[integer_length++] = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole != 0);
  }

  std::size_t length = 0;
  auto put = [&](char c) {
    if (length < capacity) {
      text[length] = c;
    }
    ++length;
  };
  for (std::size_t i = integer_length; i > 0; --i) {
    put(integer_digits[i - 1]);
  }
  if (precision > 0) {
    put('.');
    for (int i = 0; i < precision; ++i) {
      put(fraction_digits[i]);
    }
  }
  return length;
}

}  // namespace

std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern_text,
                         double value) {
  Pattern pattern;
  Sink sink(out, capacity);
  if (!parse_pattern(pattern_text, pattern) || pattern.conversion != 'f') {
    return 0;
  }
  const int precision = pattern.precision < 0 ? 6 : pattern.precision;
  const bool negative = std::signbit(value);
  if (std::isnan(value)) {
    emit(sink, pattern, negative, "nan", false);
  } else if (std::isinf(value)) {
    emit(sink, pattern, negative, "inf", false);
  } else {
    char digits[460];
    const std::size_t length = fixed_digits(value, precision, digits, sizeof digits);
    emit(sink, pattern, negative,
         std::string_view(digits, length < sizeof digits ? length : sizeof digits), true);
  }
  return sink.length();
}

std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern_text,
                         int value) {
  Pattern pattern;
  Sink sink(out, capacity);
  if (!parse_pattern(pattern_text, pattern) || pattern.conversion != 'd') {
    return 0;
  }
  const bool negative = value < 0;
  std::uint32_t magnitude =
      negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  char digits[12];
  std::size_t length = 0;
  do {
    digits[sizeof digits - 1 - length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  emit(sink, pattern, negative, std::string_view(digits + sizeof digits - length, length), true);
  return sink.length();
}

std::size_t format_value(char* out, std::size_t capacity, std::string_view pattern_text,
                         std::string_view value) {
  Pattern pattern;
  Sink sink(out, capacity);
  if (!parse_pattern(pattern_text, pattern) || pattern.conversion != 's') {
    return 0;
  }
  if (pattern.precision >= 0 && value.size() > static_cast<std::size_t>(pattern.precision)) {
    value = value.substr(0, static_cast<std::size_t>(pattern.precision));
  }
  pattern.zero = false;
  emit(sink, pattern, false, value, false);
  return sink.length();
}

}  // namespace kolvex
