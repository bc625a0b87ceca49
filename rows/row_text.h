// A row's cells as the batch tool prints them, and a row's error in words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/row.h"
#include "rows/cells.h"
#include "rows/engineering.h"
#include "rows/language.h"

namespace rows {

/// A row's cells: the five results shown as the calculator shows numbers, then the rate, the
/// stack's s, F_stack and L, the stack's rate n·R ÷ i (with the rate), and the friction forces
/// F_load and F_unload as the options ask for them; or "ERROR", the fault's number, its text and
/// the quantity it struck in; or "ERROR", an empty cell and the refusal in words. With checks,
/// one cell more: the codes of the inputs read only in part ("read:t"), then of the findings;
/// no finding codes when the inputs could not be read.
void RowCells(const calc::Row& row, const calc::RowOptions& options, CellSink& out,
              Precision precision = Precision::kEvery, Language language = Language::kChinese);

/// RowCells joined by tabs at the end of `out`, no line end.
void AppendRowFields(const calc::Row& row, const calc::RowOptions& options, std::string& out,
                     Language language = Language::kChinese);

/// The cells of a line that cannot be calculated at all: "ERROR", an empty cell and `message`
/// (and an empty checks cell).
void UnreadableCells(std::string_view message, const calc::RowOptions& options, CellSink& out);

/// The numbers a row has when it computes: the five results and those the options ask for.
/// A table shows a row without numbers as one cell across them (ErrorCell).
int NumberCount(const calc::RowOptions& options);

/// Why a row has no numbers, as one cell of a table: "ERROR 11 除数为零 K1" for a fault, or
/// "ERROR " and the refusal in words.
std::string ErrorCell(const calc::RowError& error, Language language = Language::kChinese);

/// Why a row has no numbers, as one sentence: a fault in the words of the calculator's report
/// ("实时错误 '11': 除数为零 在计算 K1 时停止。"), or a refusal's words.
std::string ErrorSentence(const calc::RowError& error, Precision precision = Precision::kEvery,
                          Language language = Language::kChinese);

/// A refusal in words, e.g. "力 20000 N 超过压平前最多能达到的 15842.8336899115 N"; a force out
/// of reach and the most are never shown alike.
std::string RefusalText(const calc::Refusal& refusal, Precision precision = Precision::kEvery,
                        Language language = Language::kChinese);

}  // namespace rows
