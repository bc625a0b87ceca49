// Option values, their ranges and their problems in words.
#pragma once

#include <string>
#include <string_view>

#include "calc/option_rules.h"
#include "rows/language.h"

namespace rows {

/// The name of calc::kMaterials[k] in `language`: "弹簧钢 65Mn", "spring steel 65Mn".
std::string_view MaterialName(std::size_t k, Language language = Language::kChinese);

/// An option value's name in sentences: "步数 N", "弹性模量 E", "摩擦系数 w_M" …
std::string_view OptionValueName(calc::OptionValue value, Language language = Language::kChinese);

/// What a value must be, e.g. "应为 1 到 100000 的整数", "应大于 0、不超过 10000000（MPa）".
std::string RangeText(calc::OptionValue value, Language language = Language::kChinese);

/// Why options cannot be used, in one sentence: "泊松比 μ 应不小于 0、小于 0.5", or
/// "摩擦系数与并联片数 n = 5 一起使碟簧组自锁：1 − w_M·(n − 1) − w_R 不大于 0".
std::string OptionProblemText(const calc::OptionProblem& problem,
                              Language language = Language::kChinese);

/// A text read only in part: "t 的文本 '3,5' 只读到 3".
std::string PartialReadText(std::string_view name, std::string_view text, double value,
                            Language language = Language::kChinese);

}  // namespace rows
