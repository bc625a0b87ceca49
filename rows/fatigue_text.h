#pragma once

#include <string>
#include <vector>

#include "calc/fatigue_lines.h"

namespace rows {

/// Why a line set is refused, naming its line: "疲劳线第 3 行：σO 随 σU 增大而减小，不是疲劳线".
std::string FatigueLinesProblemText(const calc::FatigueLinesProblem& problem);

/// The judgement of a cycle against the entered lines, a sentence a line, each naming its source
/// as entered: the longest life that holds first ("至少 2e6 次（按所输入的线）"), then every line
/// that fails or whose σU range does not reach the cycle's σU. Nothing when no line was given.
std::vector<std::string> FatigueSentences(const calc::FatigueJudgement& judged,
                                          const calc::LoadCycle& cycle);

/// The finding code: "fatigue:N" with N as written for the longest life that holds,
/// "fatigue:none" when the group's lines were judged and none holds, "fatigue:?" when there are
/// lines but none of the spring's group.
std::string FatigueCode(const calc::FatigueJudgement& judged);

}  // namespace rows
