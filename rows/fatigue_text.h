// Fatigue lines and the verdicts judged against them, in words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/fatigue_lines.h"
#include "rows/language.h"

namespace rows {

/// Why a line set is refused, naming its line: "疲劳线第 3 行：σO 随 σU 增大而减小，不是疲劳线".
std::string FatigueLinesProblemText(const calc::FatigueLinesProblem& problem,
                                    Language language = Language::kChinese);

/// Why a file is not taken as a line set's text, naming it as given (quoted, so that no
/// character of a name hides or turns the sentence):
/// "疲劳线文件 'a.tsv' 大于 1 MiB，不读".
std::string FatigueFileProblemText(calc::FatigueFileProblem problem, std::string_view name,
                                   Language language = Language::kChinese);

/// What a fatigue lines' text reads as, said beside its editor: none, how many lines, or why
/// none of them is taken.
std::string FatigueLinesReading(std::string_view text, Language language = Language::kChinese);

/// The judgement of a cycle against the entered lines, a sentence a line, each naming its source
/// as entered: the longest life that holds first ("至少 2e6 次（按所输入的线）"), or the least N
/// of a line that fails, or that no line reaches σU; then every line that fails or whose σU range
/// does not reach the cycle's σU. Nothing when the group has no line.
std::vector<std::string> FatigueSentences(const calc::FatigueJudgement& judged,
                                          const calc::LoadCycle& cycle,
                                          Language language = Language::kChinese);

/// The verdict of a cycle judged at both points (it must have been judged), naming the point that
/// decides: "疲劳（II、III 两点中起决定作用的 III 点）：至少 2e6 次（按所输入的组 2 的线）：…".
std::string FatigueVerdictSentence(const calc::CycleVerdict& verdict,
                                   Language language = Language::kChinese);

/// The finding code: "fatigue:N" with N as written for the longest life that holds,
/// "fatigue:none" when some of the group's lines reach σU and none holds, "fatigue:?" when there
/// are lines but none of the spring's group reaches σU (nothing judged).
std::string FatigueCode(const calc::FatigueJudgement& judged);

}  // namespace rows
