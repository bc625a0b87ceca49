// Findings as codes and sentences.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/design_check.h"
#include "calc/row.h"
#include "rows/language.h"

namespace rows {

/// The short code of a finding ("D<=d", "f>0.75h0", "D/d", "sOM>Rm", …).
std::string_view FindingCode(calc::Finding finding);

/// Why a finding matters, in `language`, without the spring's numbers (for help texts).
std::string FindingMeaning(calc::Finding finding, Language language = Language::kChinese);

/// A sentence in `language` that names the finding's quantity or ratio as its code does and gives
/// the numbers to a reader's precision (rows::Engineering; the dimensions as typed), e.g. "D/d
/// = 3.33，在 DIN 2093 系列的范围 1.75 … 2.5 之外：关系式在这里不如在标准系列中可靠（不是 错误）".
/// For a spring with contact flats (options.flats) the limits on f name h0′ and the ratios take t′
/// and h0′; friction's findings name the coefficients and the stack's n.
std::string FindingSentence(calc::Finding finding, const calc::RowInputs& spring,
                            const calc::RowOptions& options,
                            Language language = Language::kChinese);

/// The codes of the findings, comma-separated in their order; empty when there are none.
void AppendFindingCodes(const calc::Findings& findings, std::string& out);

/// The code of a finding at a working point, led by the point's number: "1:f>h0",
/// "2:f>0.75h0", "1:f<0.15h0", "2:sOM>Rm".
std::string PointFindingCode(const calc::PointFinding& finding);

/// A finding at a working point as a sentence, e.g. "工作点 2：f = 2.5 mm 大于 0.75·h0 = 2.1 mm：
/// 实际特性偏离公式"; for a spring with contact flats (`flats`) the limits name h0′.
std::string PointFindingSentence(const calc::PointFinding& finding, bool flats,
                                 Language language = Language::kChinese);

/// The code of an input read only in part, by its quantity: "read:t", "read:t_reduced" (the
/// design file's keys); the last field of a --force line is "read:F".
std::string ReadCode(calc::Quantity quantity, bool force = false);

}  // namespace rows
