// The logarithm's argument reduction, shared by its fast and accurate paths.
#pragma once

#include <cstdint>

#include "runtime/decimal.h"
#include "runtime/log_tables.h"

namespace runtime::detail {

/// x = 2^k m with m in [√2/2, √2); the table entry for m and z = m r − 1, exact.
struct Reduced {
    int k;
    int index;  ///< into log_tables::kEntries
    double z;
};

/// For positive finite x. z is exact: r has at most 8 significant bits, so m r − 1 is a
/// multiple of 2^-60 below 2^-7 in magnitude, and the steps below form it without rounding.
inline Reduced Reduce(double x) {
    std::uint64_t bits = BitCast<std::uint64_t>(x);
    int k = static_cast<int>(bits >> 52) - 1023;
    if (k == -1023) {  // subnormal: scale by 2^52, exactly
        bits = BitCast<std::uint64_t>(x * 0x1p52);
        k = static_cast<int>(bits >> 52) - 1023 - 52;
    }
    // m in [1, 2), halved from √2 on (the double nearest √2 lies just above it), without a
    // branch: which way it goes is a coin toss for the δ of real springs.
    const std::uint64_t fraction = bits & 0x000F'FFFF'FFFF'FFFFull;
    const std::uint64_t halve = fraction >= 0x0006'A09E'667F'3BCDull ? 1 : 0;
    const double m = BitCast<double>((fraction | 0x3FF0'0000'0000'0000ull) - (halve << 52));
    k += static_cast<int>(halve);
    const int index = static_cast<int>(m * 256) - log_tables::kFirst;
    const double r = log_tables::kEntries[index].r;
    // m = high + low with high × r exact (45 bits × 8 bits); high × r − 1 is exact by Sterbenz's
    // lemma, low × r is exact, and their sum is z, which is representable.
    const double high = BitCast<double>(BitCast<std::uint64_t>(m) & ~0xFFull);
    const double low = m - high;
    const double z = (high * r - 1.0) + low * r;
    return {k, index, z};
}

}  // namespace runtime::detail
