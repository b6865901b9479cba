#include "gauge/read_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kolvex {
namespace {

struct NumberCase {
  const char* text;
  double expected;
};

class ReadNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumber, ReadsTheDecimalNumberAtTheStart) {
  EXPECT_EQ(read_number(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ReadNumber,
    ::testing::Values(NumberCase{"123", 123.0}, NumberCase{"  \t+12.5km", 12.5},
                      NumberCase{"-0.75", -0.75}, NumberCase{".5", 0.5}, NumberCase{"5.", 5.0},
                      NumberCase{"1000F ", 1000.0}, NumberCase{"1e3", 1000.0},
                      NumberCase{"1E-2x", 0.01}, NumberCase{"2e+2", 200.0},
                      // An "e" without digits after it is not consumed.
                      NumberCase{"5e", 5.0}, NumberCase{"5e+", 5.0}, NumberCase{"5eF", 5.0},
                      // Not numbers: hexadecimal, inf, nan, a lone point or sign.
                      NumberCase{"0x1A", 0.0}, NumberCase{"inf", 0.0}, NumberCase{"nan", 0.0},
                      NumberCase{"INFINITY", 0.0}, NumberCase{".", 0.0}, NumberCase{"-", 0.0},
                      NumberCase{"", 0.0}, NumberCase{"F", 0.0}, NumberCase{"  ", 0.0},
                      NumberCase{"12 3", 12.0}, NumberCase{"0.1", 0.1},
                      NumberCase{"12.5       ", 12.5}));

TEST(ReadNumberRange, OutOfRangeValuesSaturate) {
  EXPECT_EQ(read_number("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(read_number("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(read_number("1e-999"), 0.0);
  EXPECT_EQ(read_number("0e999"), 0.0);
  EXPECT_EQ(read_number("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace kolvex
