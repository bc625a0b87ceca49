// The natural logarithm, correctly rounded for every positive double.
#pragma once

namespace runtime {

/// The natural logarithm, correctly rounded (to nearest, ties to even) for every positive
/// finite double, subnormals included, so that it is one operation with one rounding like
/// + − × ÷ and gives the same bits on every machine, compiler and system. Like the C library's
/// log: Log(±0) = −∞, Log(x < 0) = NaN, Log(+∞) = +∞, Log(NaN) = NaN. Pure double arithmetic:
/// no FMA, no x87, no long double.
double Log(double x);

namespace detail {

/// The accurate path alone, for every positive finite x: ln x to within 2^-182 in 256-bit
/// fixed point, then rounded. Log takes it only when its fast path cannot prove its rounding.
double AccurateLog(double x);

/// The fast path alone: ln x when its rounding is proven, else 0 with `proven` false.
double FastLog(double x, bool& proven);

}  // namespace detail
}  // namespace runtime
