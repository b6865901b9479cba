#include "gauge/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "gauge/fixed_text.h"

namespace kolvex {
namespace {

std::string formatted(const char* pattern, double value) {
  char out[512];
  format_value(out, sizeof out, pattern, value);
  return out;
}

struct DoubleCase {
  const char* pattern;
  double value;
  const char* expected;
};

class FormatDouble : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(FormatDouble, MatchesPrintfWithTiesAwayFromZero) {
  EXPECT_EQ(formatted(GetParam().pattern, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatDouble,
    ::testing::Values(
        // Exact binary ties go away from zero, whatever the C library does.
        DoubleCase{"%.2f", 0.125, "0.13"}, DoubleCase{"%0.0f", 190.5, "191"},
        DoubleCase{"%0.0f", 0.5, "1"}, DoubleCase{"%0.0f", 2.5, "3"},
        DoubleCase{"%0.0f", -2.5, "-3"}, DoubleCase{"%.1f", 0.25, "0.3"},
        // Values just below a tie in binary round down.
        DoubleCase{"%.2f", 0.145, "0.14"}, DoubleCase{"%.1f", 0.15, "0.1"},
        // Negative values that round to zero keep their sign.
        DoubleCase{"%5.0f", -0.2, "   -0"}, DoubleCase{"%03.0f", -0.4, "-00"},
        // Widths, zero padding, carries.
        DoubleCase{"%05.2f", 7.12, "07.12"}, DoubleCase{"%05.2f", 59.996, "60.00"},
        DoubleCase{"%5.1f", 55.575, " 55.6"}, DoubleCase{"%03.0f", 359.6, "360"},
        DoubleCase{"%08.3f", 12345.6789, "12345.679"},
        DoubleCase{"%014.8f", -2010.0, "-2010.00000000"},
        DoubleCase{"%014.8f", 3132.5, "03132.50000000"},
        DoubleCase{"%12.8f", 1500.0, "1500.00000000"}, DoubleCase{"%12.8f", 1.5, "  1.50000000"},
        DoubleCase{"%06.1f", 123.0, "0123.0"}, DoubleCase{"%4.0f", 27.78, "  28"},
        DoubleCase{"%5.0f", 99999.0, "99999"}, DoubleCase{"%.3f", 1e-300, "0.000"},
        DoubleCase{"%.0f", 1e22, "10000000000000000000000"},
        DoubleCase{"%.0f", 9007199254740993.0, "9007199254740992"},
        // Each side of the widths the conversion works in.
        DoubleCase{"%.8f", 0.00390625, "0.00390625"}, DoubleCase{"%.8f", 0.001953125, "0.00195313"},
        DoubleCase{"%.3f", 0.0005, "0.001"}, DoubleCase{"%.3f", 0.001, "0.001"},
        DoubleCase{"%.0f", 9223372036854775808.0, "9223372036854775808"},
        DoubleCase{"%.1f", 18446744073709551616.0, "18446744073709551616.0"},
        DoubleCase{"%.2f", 0.0, "0.00"}, DoubleCase{"%.2f", 5e-324, "0.00"},
        // Not numbers.
        DoubleCase{"%5.1f", std::numeric_limits<double>::quiet_NaN(), "  nan"},
        DoubleCase{"%05.1f", std::numeric_limits<double>::infinity(), "  inf"},
        DoubleCase{"%5.1f", -std::numeric_limits<double>::infinity(), " -inf"}));

TEST(Format, HugeValuesAreWrittenWholeAndCutToTheBuffer) {
  EXPECT_EQ(formatted("%.0f", 1e308).size(), 309u);
  FixedText<8> text;
  text.assign_format("%5.0f", 1e308);
  EXPECT_EQ(text.view(), "1000000");
  EXPECT_EQ(formatted("%.0f", std::numeric_limits<double>::max()).substr(0, 6), "179769");
}

TEST(Format, IntegersAndTexts) {
  char out[32];
  format_value(out, sizeof out, "%3d", 5);
  EXPECT_STREQ(out, "  5");
  format_value(out, sizeof out, "%1d", -12);
  EXPECT_STREQ(out, "-12");
  format_value(out, sizeof out, "%3d", std::numeric_limits<int>::min());
  EXPECT_STREQ(out, "-2147483648");
  format_value(out, sizeof out, "%-6s", "305M");
  EXPECT_STREQ(out, "305M  ");
  format_value(out, sizeof out, "%-4s", "");
  EXPECT_STREQ(out, "    ");
}

TEST(Format, NeverWritesPastTheBuffer) {
  char out[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  const std::size_t full = format_value(out, 4, "%08.3f", 1.0);
  EXPECT_EQ(full, 8u);
  EXPECT_STREQ(out, "000");
  EXPECT_EQ(out[4], 'x');
  EXPECT_EQ(format_value(out, 0, "%3d", 1), 3u);
  EXPECT_EQ(out[0], '0');  // untouched
}

TEST(Format, UnknownSpecWritesNothing) {
  char out[8] = "abc";
  EXPECT_EQ(format_value(out, sizeof out, "%x", 1.0), 0u);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(format_value(out, sizeof out, "%5.1d", 1.0), 0u);
}

}  // namespace
}  // namespace kolvex
