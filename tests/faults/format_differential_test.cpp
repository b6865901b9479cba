// The instrument's own number formatting against the C library's, over random values of every
// size: the same text for every value but exact ties, which the instrument rounds away from
// zero and glibc to even. Native only: Windows C libraries round and print large values their
// own way.
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "gauge/format.h"

namespace kolvex {
namespace {

// Whether value lies exactly half way between two texts of `precision` decimals.
bool exact_tie(double value, int precision) {
  static char exact[1500];  // every double's whole decimal expansion
  std::snprintf(exact, sizeof exact, "%.1100f", value);
  const char* point = std::strchr(exact, '.');
  if (point[1 + precision] != '5') {
    return false;
  }
  for (const char* c = point + 2 + precision; *c != '\0'; ++c) {
    if (*c != '0') {
      return false;
    }
  }
  return true;
}

TEST(FormatDifferential, SameTextsAsTheCLibraryButForTies) {
  // The formats the instrument uses.
  static constexpr struct {
    const char* pattern;
    int precision;
  } kSpecs[] = {{"%08.3f", 3}, {"%014.8f", 8}, {"%06.1f", 1}, {"%5.1f", 1}, {"%03.0f", 0},
                {"%12.8f", 8}, {"%05.2f", 2},  {"%4.0f", 0},  {"%5.0f", 0}, {"%0.0f", 0}};
  std::mt19937_64 random(20261211);
  int ties = 0;
  int mismatches = 0;
  for (int i = 0; i < 40000; ++i) {
    double value = 0.0;
    switch (i % 4) {
      case 0: {  // any bit pattern
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        break;
      }
      case 1:  // 53 random bits at a random scale, ties frequent
        value = std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 120));
        break;
      case 2:  // thousandths, as distances and angles come
        value = (static_cast<double>(random() % 2000000) - 1000000.0) / 1000.0;
        break;
      default:
        value = std::uniform_real_distribution<double>(-1e7, 1e7)(random) /
                std::pow(10.0, static_cast<double>(random() % 10));
        break;
    }
    if (!std::isfinite(value)) {
      continue;
    }
    for (const auto& [pattern, precision] : kSpecs) {
      char ours[400];
      char theirs[400];
      format_value(ours, sizeof ours, pattern, value);
      std::snprintf(theirs, sizeof theirs, pattern, value);
      if (std::strcmp(ours, theirs) == 0) {
        continue;
      }
      if (exact_tie(value, precision)) {
        ++ties;
        continue;
      }
      if (++mismatches <= 5) {
        ADD_FAILURE() << pattern << " of " << std::to_string(value) << ": '" << ours << "', not '"
                      << theirs << "'";
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(ties, 0);  // the table's values did reach the rounding rule
}

}  // namespace
}  // namespace kolvex

#endif
