// The decimal seam gives the bytes the C++ library gives where it has floating-point to_chars
// and from_chars (Linux, Windows), so that the browser, which has not, shows the same.

#include "runtime/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace runtime {
namespace {

#if defined(__cpp_lib_to_chars) || defined(__GLIBCXX__)

std::string Ours(double value, bool fixed, int digits) {
    char text[512];
    return std::string(
        text, fixed ? FormatFixed(text, value, digits) : FormatScientific(text, value, digits));
}

std::string Library(double value, bool fixed, int digits) {
    char text[512];
    const auto format = fixed ? std::chars_format::fixed : std::chars_format::scientific;
    return std::string(text, std::to_chars(text, text + sizeof text, value, format, digits).ptr);
}

TEST(Decimal, WritesWhatTheLibraryWrites) {
    std::mt19937_64 random(2093);
    constexpr double kEdges[] = {0.0,
                                 -0.0,
                                 5e-324,
                                 2.2250738585072014e-308,
                                 0.5,
                                 1.5,
                                 2.5,
                                 9.9999999999999995,
                                 0.30000000000000004,
                                 1e15,
                                 1e21,
                                 std::numeric_limits<double>::max(),
                                 9822.55688774516};
    for (int i = 0; i < 300000; ++i) {
        const double value = i < 13 ? kEdges[i] : BitCast<double>(random());
        if (!std::isfinite(value)) {
            continue;
        }
        for (const int digits : {14, 3}) {
            ASSERT_EQ(Ours(value, false, digits), Library(value, false, digits)) << value;
        }
        // Fixed notation as the program uses it: 0 … 3 decimals, for magnitudes it shows so.
        const double near = std::ldexp(std::fabs(value) / std::ldexp(1.0, std::ilogb(value)),
                                       static_cast<int>(random() % 40) - 20);
        ASSERT_EQ(Ours(near, true, i % 4), Library(near, true, i % 4)) << near;
    }
}

TEST(Decimal, ReadsWhatTheLibraryReads) {
    std::mt19937_64 random(16983);
    for (int i = 0; i < 200000; ++i) {
        // Up to 30 digits, a point somewhere, an exponent that reaches both ends of the range.
        std::string text = std::to_string(random() % 1000000000000000000ull);
        text += std::to_string(random() % 1000000000000ull);
        text.insert(random() % text.size(), ".");
        text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
        double ours = -1, theirs = -1;
        const Parsed parsed = ParseDouble(text.data(), text.data() + text.size(), ours);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), theirs);
        ASSERT_EQ(parsed.end, end) << text;
        if (ec == std::errc::result_out_of_range) {
            // The library leaves an underflow to zero unread; the seam reads it as 0.
            ASSERT_TRUE(parsed.out_of_range || ours == 0) << text;
            continue;
        }
        ASSERT_FALSE(parsed.out_of_range) << text;
        ASSERT_EQ(BitCast<std::uint64_t>(ours), BitCast<std::uint64_t>(theirs)) << text;
    }
}

#endif

}  // namespace
}  // namespace runtime
