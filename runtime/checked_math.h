#pragma once

#include <cmath>
#include <optional>

#include "runtime/fault.h"

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

    /// Division followed by a test of the floating-point status (invalid operation, division
    /// by zero, overflow); its fault is reported as a floating-point fault.
    double GuardedDiv(double a, double b) {
        return CheckDivision(a, b, a / b, FaultSource::kFloatingPoint);
    }

    /// Natural logarithm; faults with kInvalidArgument unless x > 0.
    double Log(double x) {
        if (!(x > 0.0)) [[unlikely]] {
            Fail(FaultKind::kInvalidArgument, FaultSource::kArithmetic);
            return 0.0;
        }
        return Check(std::log(x));
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

}  // namespace runtime
