// runtime::Log against MPFR, an independent correctly rounded logarithm, on two hundred
// thousand arguments of every kind: any double, δ of springs, near 1, subnormals. Both paths
// alone are compared too, so that the rarely taken accurate one is tested as widely.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "runtime/log.h"

namespace runtime {
namespace {

double Reference(double x) {
    mpfr_t in, out;
    mpfr_init2(in, 53);
    mpfr_init2(out, 53);
    mpfr_set_d(in, x, MPFR_RNDN);
    mpfr_subnormalize(out, mpfr_log(out, in, MPFR_RNDN), MPFR_RNDN);
    const double ln = mpfr_get_d(out, MPFR_RNDN);
    mpfr_clear(in);
    mpfr_clear(out);
    return ln;
}

TEST(LogReference, AgreesWithMpfrToTheBit) {
    std::mt19937_64 random(2026);
    const auto any = [&random] {
        double x = 0;
        while (!(x > 0 && std::isfinite(x))) {
            x = std::bit_cast<double>(random() >> 1);
        }
        return x;
    };
    const auto spring = [&random] { return 1.5 + std::ldexp(double(random() >> 11), -53) * 2; };
    const auto near_one = [&random] {
        return 1 + std::ldexp(double(std::int64_t(random() >> 20) - (std::int64_t(1) << 43)), -60);
    };
    const auto subnormal = [&random] { return std::bit_cast<double>((random() >> 12) | 1); };
    int wrong = 0;
    for (int i = 0; i < 50'000 && wrong < 10; ++i) {
        for (const double x : {any(), spring(), near_one(), subnormal()}) {
            const auto bits = std::bit_cast<std::uint64_t>(Reference(x));
            const bool right = std::bit_cast<std::uint64_t>(Log(x)) == bits &&
                               std::bit_cast<std::uint64_t>(detail::AccurateLog(x)) == bits;
            EXPECT_TRUE(right) << std::hexfloat << x;
            wrong += right ? 0 : 1;
        }
    }
}

}  // namespace
}  // namespace runtime
