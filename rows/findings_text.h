#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/design_check.h"

namespace rows {

/// The short code of a finding ("D<=d", "f>0.75h0", "D/d", …).
std::string_view FindingCode(calc::Finding finding);

/// Why a finding matters, in Chinese, without numbers (for help texts).
std::string_view FindingMeaning(calc::Finding finding);

/// A Chinese sentence that names the finding's quantity or ratio as its code does and gives the
/// numbers as shown, e.g. "D/d = 3.33，超出设计范围 1.75 … 2.5"; for a spring with contact
/// flats (t_reduced given) the limits on f name h0′.
std::string FindingSentence(calc::Finding finding, const calc::SpringInputs& in,
                            std::optional<double> t_reduced = {});

/// The codes of the findings, comma-separated in their order; empty when there are none.
void AppendFindingCodes(const calc::Findings& findings, std::string& out);

/// The code of a finding at a working point, led by the point's number: "1:f>h0",
/// "2:f>0.75h0", "1:f<0.15h0".
std::string PointFindingCode(const calc::PointFinding& finding);

/// A finding at a working point as a sentence, e.g. "工作点 2：f = 2.5 mm 大于 0.75·h0 = 2.1 mm：
/// 实际特性偏离公式"; for a spring with contact flats (`flats`) the limits name h0′.
std::string PointFindingSentence(const calc::PointFinding& finding, bool flats);

}  // namespace rows
