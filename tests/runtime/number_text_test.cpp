#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace runtime {
namespace {

struct ShowCase {
    const char* name;
    double value;
    const char* text;
};

class NumberTextShows : public testing::TestWithParam<ShowCase> {};

TEST_P(NumberTextShows, TheBoxText) {
    EXPECT_EQ(NumberToText(GetParam().value).view(), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, NumberTextShows, testing::Values(
    ShowCase{"Zero", 0.0, "0"},
    ShowCase{"NegativeZero", -0.0, "0"},
    ShowCase{"MinusOneHalf", -1.5, "-1.5"},
    ShowCase{"OneThird", 1.0 / 3, "0.333333333333333"},
    ShowCase{"TwoThirdsRoundsUp", 2.0 / 3, "0.666666666666667"},
    ShowCase{"PointOneSumShowsRounded", 0.1 + 0.2, "0.3"},
    // decimal exponent X = 14 is the last fixed one, 15 the first in E-notation
    ShowCase{"FifteenNines", 999999999999999.0, "999999999999999"},
    ShowCase{"X15", 1e15, "1E+15"},
    ShowCase{"RoundingCarriesIntoX15", 999999999999999.5, "1E+15"},
    ShowCase{"NegativeX15", -1.25e15, "-1.25E+15"},
    ShowCase{"Largest", std::numeric_limits<double>::max(), "1.79769313486232E+308"},
    // small magnitudes: fixed while at most 15 digits follow the point
    ShowCase{"TenToMinus5", 0.00001, "0.00001"},
    ShowCase{"Digits15AfterPoint", 0.000000000000001, "0.000000000000001"},
    ShowCase{"Digits16AfterPoint", 1.5e-15, "1.5E-15"},
    ShowCase{"OneDigitExponentIsPadded", 1.23456789012345e-9, "1.23456789012345E-09"},
    ShowCase{"TwoDigitExponentIsNot", 1.23456789012345e-10, "1.23456789012345E-10"},
    ShowCase{"Subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
    ShowCase{"Infinity", std::numeric_limits<double>::infinity(), "inf"},
    ShowCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "nan"}),
    [](const testing::TestParamInfo<ShowCase>& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace runtime
