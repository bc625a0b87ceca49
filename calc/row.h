#pragma once

#include <optional>
#include <string>

#include "calc/disc_spring.h"
#include "calc/stack.h"
#include "runtime/expected.h"

namespace calc {

/// The columns a result row carries beyond the five results of one spring.
struct RowColumns {
    std::optional<StackLayout> stack;  ///< s, F_stack and L, when set
    bool check = false;                ///< the codes of the design findings, last
};

/// What one row computes: the spring, and the stack when its columns are wanted.
struct RowResults {
    SpringResults spring;
    std::optional<StackResults> stack;
};

/// The spring at in.f, then its stack when `columns` ask for one; the first fault of either.
runtime::Expected<RowResults, SpringFault> CalculateRow(const SpringInputs& in,
                                                        const RowColumns& columns);

/// Appends a row's tab-separated fields, no line end: the five results shown as the calculator
/// shows numbers (and the three stack values), or "ERROR", the fault's number, its text and the
/// quantity it struck in (no stack values). With checks, one more field: the finding codes of
/// `checked`, or nothing when the values could not be read (null).
void AppendRowFields(const runtime::Expected<RowResults, SpringFault>& row,
                     const SpringInputs* checked, const RowColumns& columns, std::string& out);

/// Appends the row of a line that cannot be calculated at all: "ERROR", an empty number and
/// `message` (and an empty checks field), no line end.
void AppendUnreadableRow(std::string_view message, const RowColumns& columns, std::string& out);

}  // namespace calc
