// The kinds of run-time fault a calculation can end in.
#pragma once

#include <string_view>

namespace runtime {

/// The kinds of run-time fault a calculation can end in. Each has the number and text the
/// error report shows (see FaultNumber, FaultText).
enum class FaultKind {
    /// x ÷ 0 with x ≠ 0: error 11.
    kDivisionByZero,
    /// A result too large for a double, including a number typed too large; 0 ÷ 0 is reported
    /// as this kind too: error 6.
    kOverflow,
    /// The logarithm of a value that is not positive: error 5.
    kInvalidArgument,
};

/// How the fault was detected. The report is the same for all; the distinction is kept so that
/// callers and tests can tell a guarded division's floating-point fault from an ordinary one.
enum class FaultSource {
    /// An ordinary checked arithmetic step.
    kArithmetic,
    /// One of the model's guarded divisions (CheckedMath::GuardedDiv), whose fault the
    /// original platform reports from its floating-point status.
    kFloatingPoint,
    /// Turning a text into a number.
    kConversion,
};

/// One fault: what happened and how it was detected.
struct Fault {
    FaultKind kind;
    FaultSource source;

    friend bool operator==(const Fault&, const Fault&) = default;
};

/// The run-time error number of a fault kind (11, 6 or 5).
int FaultNumber(FaultKind kind);

/// The run-time error text of a fault kind, in Chinese ("除数为零", "溢出", …).
std::string_view FaultText(FaultKind kind);

}  // namespace runtime
