// --stack: a progressive stack from its file, its characteristic and its points.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "calc/column.h"
#include "runtime/expected.h"

namespace batch {

struct BatchOptions;

/// The most bytes a stack's file may hold.
inline constexpr std::size_t kMaxStackFileBytes = 1 << 20;

/// A stack's file read (a leading byte-order mark ignored) and checked with the options'
/// material and σIV, or why it cannot be used, in words.
runtime::Expected<calc::PreparedColumn, std::string> ReadStack(std::string_view bytes,
                                                               const BatchOptions& options);

/// --stack with --curve N: the header and the rows of the stack's characteristic. A stack of
/// like packets is today's i × n stack, printed as --curve N --series i --parallel n prints
/// it; any other is stepped by force, with a row more at each packet's stop force. False when
/// a row did not compute. `spill` is called when `out` grows large.
bool AnswerStackCurve(const calc::PreparedColumn& column, const BatchOptions& options,
                      std::string& out, const std::function<void(std::string&)>& spill);

/// --stack without --curve: a line's one or two working points, each a travel s in mm (with
/// --force a force in N), answered as the stack's row at each, every row led by `lead`; with
/// --check a line more, "检查" and each packet's judgement at those points
/// (rows::PacketJudgementCodes) under the options' load. False when a point did not compute.
bool AnswerStackLine(const calc::PreparedColumn& column, const BatchOptions& options,
                     std::span<const std::string_view> fields, std::string_view lead,
                     std::string& out);

}  // namespace batch
