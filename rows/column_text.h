// A progressive stack's table and its problems in words, as the batch tool prints them.
#pragma once

#include <string>
#include <vector>

#include "calc/column.h"
#include "calc/column_file.h"
#include "rows/cells.h"
#include "rows/language.h"

namespace rows {

/// The column names of a stack's table: "F(N)", "s(mm)", "L(mm)", "R_stack(N/mm)" (as the force
/// rises to the point), "R_stack+(N/mm)" (just after it, where a packet reaches its stop), "挡块"
/// (the packets at their stops), then for each packet k from 1 "f[k](mm)", "F[k](N)",
/// "σom[k](MPa)", "σ1[k](MPa)", "σ2[k](MPa)", "σ3[k](MPa)" (and "σIV[k](MPa)" with σIV), and
/// "检查" with checks.
void ColumnHeaderCells(const calc::Column& column, bool check, CellSink& out,
                       Language language = Language::kChinese);

/// A point's cells in those columns: every digit, so that typing a packet's f into the
/// calculator gives its F and stresses. A point with no travel shows "ERROR" and why after its
/// force. The checks cell holds each packet's finding codes led by its number, "[2]f>0.75h0",
/// separated by ";".
void ColumnPointCells(const calc::ColumnPoint& point, bool check, CellSink& out,
                      Language language = Language::kChinese);

/// Why a stack cannot be computed, e.g. "第 2 组的挡块 3 mm 不在 0 < 挡块 ≤ h0 = 1.8 mm 之内".
std::string ColumnProblemText(const calc::ColumnProblem& problem,
                              Language language = Language::kChinese);

/// Why a stack's text cannot be read, with its line.
std::string ColumnTextProblemText(const calc::ColumnTextProblem& problem,
                                  Language language = Language::kChinese);

/// One packet's judgement as codes: its points' findings ("1:f<0.15h0"), "stop", "fatigue:N".
std::vector<std::string> PacketCodes(const calc::PacketJudgement& judged);

/// The codes of each packet's judgement, as --design codes a spring's: "[2]1:f<0.15h0,stop" —
/// the points' findings, "stop" for a packet pressed past 0.75·h0 that no stop of its own holds,
/// "fatigue:N" (none, ?) when its cycle was judged against lines; packets without any left out,
/// the rest separated by ";".
std::string PacketJudgementCodes(const std::vector<calc::PacketJudgement>& judged);

/// What a packet's judgement at the working points finds, a sentence each, led by the packet.
std::vector<std::string> PacketJudgementSentences(int packet, const calc::PacketJudgement& judged,
                                                  bool flats,
                                                  Language language = Language::kChinese);

}  // namespace rows
