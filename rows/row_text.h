#pragma once

#include <string>
#include <string_view>

#include "calc/row.h"

namespace rows {

/// Appends a row's tab-separated fields, no line end: the five results shown as the calculator
/// shows numbers, then the rate, the stack's s, F_stack and L, and the friction forces F_load
/// and F_unload as the options ask for them; or "ERROR", the fault's number, its text and the
/// quantity it struck in; or "ERROR", an empty number and the refusal in words. With checks,
/// one more field: the finding codes, empty when the inputs could not be read.
void AppendRowFields(const calc::Row& row, const calc::RowOptions& options, std::string& out);

/// Appends the row of a line that cannot be calculated at all: "ERROR", an empty number and
/// `message` (and an empty checks field), no line end.
void AppendUnreadableRow(std::string_view message, const calc::RowOptions& options,
                         std::string& out);

/// Why a row has no numbers, as one sentence: a fault in the words of the calculator's report
/// ("实时错误 '11': 除数为零 在计算 K1 时停止。"), or a refusal's words.
std::string ErrorSentence(const calc::RowError& error);

/// A refusal in words, with its numbers as shown, e.g. "力 20000 N 超过压平前最多能达到的
/// 15842.8336899115 N".
std::string RefusalText(const calc::Refusal& refusal);

}  // namespace rows
