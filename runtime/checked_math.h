// Checked IEEE-754 double arithmetic: one rounding a step, a fault instead of an infinity.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "runtime/fault.h"
#include "runtime/log.h"

namespace runtime {

/// IEEE-754 double arithmetic, one rounding per step, that refuses to produce an infinite or
/// undefined value. The first step that would do so records its fault; the caller checks
/// `fault()` before using any result, so a formula can be written as a straight run of steps
/// and checked once per quantity. Steps after a fault compute meaningless values that must
/// not be used; the first fault is never overwritten.
///
/// Underflow and inexact results are not faults.
class CheckedMath {
public:
    double Add(double a, double b) { return Check(a + b); }
    double Sub(double a, double b) { return Check(a - b); }
    double Mul(double a, double b) { return Check(a * b); }
    double Div(double a, double b) { return CheckDivision(a, b, a / b, FaultSource::kArithmetic); }

    /// One of the model's guarded divisions: its fault is reported as a floating-point fault.
    /// Its result is infinite or NaN exactly when the division raises the floating-point status
    /// for an invalid operation, division by zero or overflow, so the result tells; no status
    /// flag is read.
    double GuardedDiv(double a, double b) {
        return CheckDivision(a, b, a / b, FaultSource::kFloatingPoint);
    }

    /// Natural logarithm, correctly rounded (runtime::Log); faults with kInvalidArgument unless
    /// x > 0.
    double Log(double x) {
        if (!(x > 0.0)) [[unlikely]] {
            Fail(FaultKind::kInvalidArgument, FaultSource::kArithmetic);
            return 0.0;
        }
        return Check(runtime::Log(x));
    }

    /// Square root, correctly rounded as IEEE 754 requires; faults with kInvalidArgument when
    /// x < 0.
    double Sqrt(double x) {
        if (x < 0.0) [[unlikely]] {
            Fail(FaultKind::kInvalidArgument, FaultSource::kArithmetic);
            return 0.0;
        }
        return Check(std::sqrt(x));
    }

    /// The first fault, if any step has faulted.
    const std::optional<Fault>& fault() const { return fault_; }

private:
    double Check(double r) {
        if (!std::isfinite(r)) [[unlikely]] {
            Fail(FaultKind::kOverflow, FaultSource::kArithmetic);
        }
        return r;
    }

    double CheckDivision(double a, double b, double r, FaultSource source) {
        if (!std::isfinite(r)) [[unlikely]] {
            // 0 ÷ 0 and a finite value too large both count as overflow; x ÷ 0 otherwise is
            // division by zero. Exactly the cases where the FPU raises its status flags.
            const bool by_zero = b == 0.0 && a != 0.0 && !std::isnan(a);
            Fail(by_zero ? FaultKind::kDivisionByZero : FaultKind::kOverflow, source);
        }
        return r;
    }

    void Fail(FaultKind kind, FaultSource source) {
        if (!fault_) {
            fault_ = Fault{kind, source};
        }
    }

    std::optional<Fault> fault_;
};

/// The same steps as CheckedMath for a first, fast pass that only tells whether some step would
/// have faulted. A step faults exactly when its result is not finite (the logarithm of a value
/// that is not positive is -inf or NaN, the square root of a negative one NaN), and a non-finite
/// value survives every later step (NaN and ±inf go through +, −, ×, the dividend of ÷ and log as
/// NaN or ±inf) except one: as a divisor it gives a finite 0. So when every divisor is finite and
/// every final result is finite, no step faulted. This pass checks the divisors; the caller checks
/// the results and, when either is not finite, repeats the steps with CheckedMath to learn the
/// first fault. Only valid for a calculation whose every step feeds a final result.
class FaultFlagMath {
public:
    double Add(double a, double b) { return a + b; }
    double Sub(double a, double b) { return a - b; }
    double Mul(double a, double b) { return a * b; }
    double Div(double a, double b) { return Divide(a, b); }
    double GuardedDiv(double a, double b) { return Divide(a, b); }
    double Log(double x) { return runtime::Log(x); }
    double Sqrt(double x) { return std::sqrt(x); }  // NaN below 0, which reaches the results

    /// Never a fault: this pass does not stop early.
    std::optional<Fault> fault() const { return std::nullopt; }
    /// Whether some divisor was not finite.
    bool divisor_not_finite() const { return divisor_not_finite_; }

private:
    double Divide(double a, double b) {
        divisor_not_finite_ |= !(std::fabs(b) <= std::numeric_limits<double>::max());
        return a / b;
    }

    bool divisor_not_finite_ = false;
};

}  // namespace runtime
