// The accurate path of runtime::Log: ln x in 256-bit two's complement fixed point (one integer
// limb, 192 fraction bits), then rounded to nearest. Every step truncates by at most 2^-192,
// about sixty of them and the tables' rounding keep the sum within 2^-182 of ln x, and
// |ln x| ≥ 2^-54 for every double x ≠ 1: a relative error below 2^-128, against the 2^-118
// the hardest case needs (see log.cpp).

#include <array>
#include <cmath>
#include <cstdint>

#include "runtime/log.h"
#include "runtime/log_reduction.h"
#include "runtime/log_tables.h"

namespace runtime::detail {
namespace {

using Fixed = std::array<std::uint64_t, 4>;  // w[0] the integer limb, w[3] the lowest

// The high and low 64 bits of a × b, from 32-bit halves: portable, and this path is rare.
inline void MulWide(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low) {
    const std::uint64_t a1 = a >> 32, a0 = a & 0xFFFF'FFFF, b1 = b >> 32, b0 = b & 0xFFFF'FFFF;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFF'FFFF) + (p10 & 0xFFFF'FFFF);
    low = (middle << 32) | (p00 & 0xFFFF'FFFF);
    high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

Fixed Add(const Fixed& a, const Fixed& b) {
    Fixed sum{};
    std::uint64_t carry = 0;
    for (std::size_t i = 4; i-- > 0;) {
        const std::uint64_t partial = a[i] + b[i];
        const std::uint64_t with_carry = partial + carry;
        carry = (partial < a[i]) + (with_carry < partial);
        sum[i] = with_carry;
    }
    return sum;
}

Fixed Negate(const Fixed& a) {
    Fixed inverted;
    for (std::size_t i = 0; i < 4; ++i) {
        inverted[i] = ~a[i];
    }
    return Add(inverted, Fixed{0, 0, 0, 1});
}

bool IsNegative(const Fixed& a) {
    return (a[0] >> 63) != 0;
}

bool IsZero(const Fixed& a) {
    return (a[0] | a[1] | a[2] | a[3]) == 0;
}

// The product of two nonnegative fractions (integer limbs 0), truncated to 192 bits.
Fixed MulFractions(const Fixed& a, const Fixed& b) {
    std::uint64_t product[7] = {};  // product[0] is the highest limb of the 384-bit fraction
    for (std::size_t i = 1; i <= 3; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 3; j >= 1; --j) {
            std::uint64_t high, low;
            MulWide(a[i], b[j], high, low);
            std::uint64_t& slot = product[i + j - 1];
            const std::uint64_t sum = slot + low;
            const std::uint64_t sum_carry = sum + carry;
            carry = high + (sum < slot) + (sum_carry < sum);
            slot = sum_carry;
        }
        for (std::size_t at = i; carry != 0 && at-- > 0;) {
            product[at] += carry;
            carry = product[at] < carry ? 1 : 0;
        }
    }
    return Fixed{0, product[0], product[1], product[2]};
}

// A nonnegative value divided by a small positive integer, truncated.
Fixed DivSmall(const Fixed& a, std::uint32_t divisor) {
    Fixed quotient{};
    std::uint64_t remainder = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        // Two 32-bit steps keep every dividend below 2^64.
        std::uint64_t part = (remainder << 32) | (a[i] >> 32);
        const std::uint64_t q1 = part / divisor;
        remainder = part % divisor;
        part = (remainder << 32) | (a[i] & 0xFFFF'FFFF);
        const std::uint64_t q0 = part / divisor;
        remainder = part % divisor;
        quotient[i] = (q1 << 32) | q0;
    }
    return quotient;
}

// A nonnegative value times a small nonnegative integer.
Fixed MulSmall(const Fixed& a, std::uint64_t factor) {
    Fixed product{};
    std::uint64_t carry = 0;
    for (std::size_t i = 4; i-- > 0;) {
        std::uint64_t high, low;
        MulWide(a[i], factor, high, low);
        const std::uint64_t sum = low + carry;
        carry = high + (sum < low);
        product[i] = sum;
    }
    return product;
}

// |z| < 1 whose last bit is not below 2^-192, exactly.
Fixed FromDouble(double z) {
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(z), &exponent);  // z = mantissa × 2^exponent
    const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    // The 53-bit integer's lowest bit weighs 2^(exponent − 53), i.e. bit 192 + exponent − 53.
    const int shift = 192 + exponent - 53;
    Fixed value{};
    const auto limb = static_cast<std::size_t>(3 - shift / 64);
    const int offset = shift % 64;
    value[limb] = bits << offset;
    if (offset != 0 && limb > 0) {
        value[limb - 1] = bits >> (64 - offset);
    }
    return z < 0 ? Negate(value) : value;
}

// ln(1 + z) = Σ (−1)^(j+1) z^j / j for |z| < 2^-7: the terms vanish below 2^-192 by j = 28.
Fixed Log1p(double z) {
    const bool negative = z < 0;
    const Fixed magnitude = FromDouble(std::fabs(z));
    Fixed sum{};
    Fixed power = magnitude;
    for (std::uint32_t j = 1; !IsZero(power); ++j) {
        const Fixed term = DivSmall(power, j);
        // For z < 0 every term is subtracted; for z > 0 the even ones are.
        sum = Add(sum, negative || j % 2 == 0 ? Negate(term) : term);
        power = MulFractions(power, magnitude);
    }
    return sum;
}

// The double nearest a fixed-point value (ties to even); the value is not 0.
double Rounded(Fixed value) {
    const bool negative = IsNegative(value);
    if (negative) {
        value = Negate(value);
    }
    const auto bit = [&value](int at) {
        return at < 0 ? 0u
                      : static_cast<unsigned>(
                            (value[static_cast<std::size_t>(3 - at / 64)] >> (at % 64)) & 1);
    };
    int top = 255;  // the highest set bit, counted from the lowest of w[3]
    while (bit(top) == 0) {
        --top;
    }
    std::uint64_t mantissa = 0;
    for (int at = top; at > top - 53; --at) {
        mantissa = (mantissa << 1) | bit(at);
    }
    const unsigned round = bit(top - 53);
    bool sticky = false;
    for (int at = top - 54; at >= 0 && !sticky; --at) {
        sticky = bit(at) != 0;
    }
    if (round != 0 && (sticky || (mantissa & 1) != 0)) {
        ++mantissa;  // 2^53 after a carry is still exact
    }
    const double magnitude = std::ldexp(static_cast<double>(mantissa), top - 52 - 192);
    return negative ? -magnitude : magnitude;
}

}  // namespace

double AccurateLog(double x) {
    const Reduced a = Reduce(x);
    Fixed sum = Log1p(a.z);
    sum = Add(
        sum, Fixed{log_tables::kEntries[a.index].fixed[0], log_tables::kEntries[a.index].fixed[1],
                   log_tables::kEntries[a.index].fixed[2], log_tables::kEntries[a.index].fixed[3]});
    const Fixed ln2{log_tables::kLn2Fixed[0], log_tables::kLn2Fixed[1], log_tables::kLn2Fixed[2],
                    log_tables::kLn2Fixed[3]};
    const Fixed k_ln2 = MulSmall(ln2, static_cast<std::uint64_t>(a.k < 0 ? -a.k : a.k));
    sum = Add(sum, a.k < 0 ? Negate(k_ln2) : k_ln2);
    return IsZero(sum) ? 0.0 : Rounded(sum);
}

}  // namespace runtime::detail
