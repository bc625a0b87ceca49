// The natural logarithm, correctly rounded: the fast path and its rounding test.
#include "runtime/log.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime/log_reduction.h"
#include "runtime/log_tables.h"

#ifdef __FAST_MATH__
#error "the logarithm must be built without -ffast-math: its error analysis assumes IEEE steps"
#endif

// ln x = k ln 2 − ln r + ln(1 + z) with x = 2^k m, m in [√2/2, √2), r ≈ 1/m from a table and
// z = m r − 1 exact, |z| < 0.0056. The fast path sums these in double-double arithmetic to
// within 2^-64 of ln x (relative) and rounds the sum when the bound shows which double is
// nearest, which is all but about one argument in a few thousand (Ziv's rounding test). The
// rest go to the accurate path, good to 2^-182 absolute, which is far beyond what the hardest
// case needs: no double's logarithm lies closer to a midpoint between doubles than 2^-118 of
// itself (V. Lefèvre and J.-M. Muller, "Worst Cases for Correct Rounding of the Elementary
// Functions in Double Precision", ARITH 15, 2001: for ln, at most 64 identical bits follow
// the rounding bit).

namespace runtime {
namespace {

// a + b = s + e exactly (Knuth's TwoSum; no ordering of a and b needed).
inline void TwoSum(double a, double b, double& s, double& e) {
    s = a + b;
    const double b_virtual = s - a;
    const double a_virtual = s - b_virtual;
    e = (a - a_virtual) + (b - b_virtual);
}

// a + b = s + e exactly when a is 0 or |a| ≥ |b| (Dekker's FastTwoSum).
inline void FastTwoSum(double a, double b, double& s, double& e) {
    s = a + b;
    e = b - (s - a);
}

// a × a = p + e exactly (Dekker's product with Veltkamp's split; no fused multiply-add).
inline void TwoSquare(double a, double& p, double& e) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double high = c - (c - a);
    const double low = a - high;
    p = a * a;
    e = ((high * high - p) + 2 * high * low) + low * low;
}

// The relative error bound of the fast path's sum, with room to spare (see FastPath).
constexpr double kFastError = 0x1p-64;

// The fast path; false when its rounding cannot be proven.
inline bool FastPath(double x, double& result) {
    const detail::Reduced a = detail::Reduce(x);
    const log_tables::Entry& t = log_tables::kEntries[a.index];
    const double z = a.z;

    // ln(1 + z) = z − z²/2 + z³ (1/3 − z/4 + … + z⁶/9): the truncated rest is below 2^-68 |z|.
    double square, square_low;
    TwoSquare(z, square, square_low);
    const double half = -0.5 * square, half_low = -0.5 * square_low;  // exact
    // Estrin's scheme: pairs of terms side by side, for a short chain of dependent steps.
    const double q01 = 1.0 / 3 + -1.0 / 4 * z, q23 = 1.0 / 5 + -1.0 / 6 * z;
    const double q45 = 1.0 / 7 + -1.0 / 8 * z, q6 = 1.0 / 9;
    const double fourth = square * square;
    const double q = (q01 + square * q23) + fourth * (q45 + square * q6);
    const double tail = (square * z) * q;

    // The large terms exactly as a double-double, the small ones added to its low part. k ln2_hi
    // is exact and 0 or beyond 0.69 > |ln r|; the sum before half is 0 or beyond |half|.
    const double k = a.k;
    double s, e1, e2, e3;
    FastTwoSum(k * log_tables::kLn2Hi, t.minus_log_r_hi, s, e1);
    TwoSum(s, z, s, e2);
    FastTwoSum(s, half, s, e3);
    const double low =
        (((e1 + e2) + e3) + (k * log_tables::kLn2Lo + t.minus_log_r_lo)) + (half_low + tail);
    const double hi = s + low;
    const double lo = low - (hi - s);

    // Every value within the error bound rounds to the same double: that double is ln x.
    const double error = kFastError * std::fabs(hi);
    const double down = hi + (lo - error);
    const double up = hi + (lo + error);
    result = down;
    return down == up;
}

}  // namespace

namespace detail {

double FastLog(double x, bool& proven) {
    double result = 0.0;
    proven = FastPath(x, result);
    return proven ? result : 0.0;
}

}  // namespace detail

double Log(double x) {
    if (!(x > 0.0 && x <= std::numeric_limits<double>::max())) [[unlikely]] {
        if (x == 0.0) {
            return -std::numeric_limits<double>::infinity();
        }
        return x > 0.0 ? x : std::numeric_limits<double>::quiet_NaN();  // +∞, or NaN below 0
    }
    double fast;
    return FastPath(x, fast) ? fast : detail::AccurateLog(x);
}

}  // namespace runtime
