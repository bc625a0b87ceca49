#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/disc_spring.h"

namespace calc {

/// What the design checks can find, in the order they are listed. Checks inform: they never
/// change a result and never stop a calculation.
enum class Finding {
    kDiametersSwapped,     ///< "D<=d": D ≤ d
    kNoThickness,          ///< "t<=0": t ≤ 0
    kNoConeHeight,         ///< "H<=t": H ≤ t
    kPull,                 ///< "f<0": f < 0
    kBeyondFlat,           ///< "f>h0": h0 > 0 and f > h0
    kBeyondThreeQuarters,  ///< "f>0.75h0": h0 > 0 and 0.75 × h0 < f ≤ h0
    kDiameterRatio,        ///< "D/d": D > d > 0 and D ÷ d outside 1.75 … 2.5
    kSlenderness,          ///< "D/t": D > 0, t > 0 and D ÷ t outside 16 … 40
    kHeightRatio,          ///< "h0/t": t > 0, h0 > 0 and h0 ÷ t outside 0.4 … 1.3
    kThick,                ///< "t>6": t > 6, made with contact flats, which the model leaves out
    kCount,                ///< not a finding: how many there are
};
inline constexpr int kFindingCount = static_cast<int>(Finding::kCount);

/// The findings of one spring at one deflection, as a set.
class Findings {
    static_assert(kFindingCount <= 32, "one bit per finding");

public:
    bool has(Finding f) const { return (bits_ >> static_cast<int>(f)) & 1u; }
    void add(Finding f) { bits_ |= 1u << static_cast<int>(f); }

private:
    unsigned bits_ = 0;
};

/// Every finding for these values. D, d, t, H and f are compared as read; the quantities
/// formed from them (h0 = H − t, 0.75·h0, D/d, D/t, h0/t) as the program shows them, rounded to
/// 15 significant digits, so that a spring typed at a limit is at it, not a hair beyond.
Findings CheckDesign(const SpringInputs& in);

/// The short code of a finding ("D<=d", "f>0.75h0", "D/d", …).
std::string_view FindingCode(Finding finding);

/// Why a finding matters, in Chinese, without numbers (for help texts).
std::string_view FindingMeaning(Finding finding);

/// A Chinese sentence that names the finding's quantity or ratio as its code does and gives the
/// numbers, e.g. "D/d = 3.33，超出设计范围 1.75 … 2.5".
std::string FindingSentence(Finding finding, const SpringInputs& in);

/// The codes of the findings, comma-separated in their order; empty when there are none.
void AppendFindingCodes(const Findings& findings, std::string& out);

}  // namespace calc
