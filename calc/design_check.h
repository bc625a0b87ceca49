#pragma once

#include <array>
#include <optional>
#include <vector>

#include "calc/disc_spring.h"

namespace calc {

/// What the design checks can find, in the order they are listed. Checks inform: they never
/// change a result and never stop a calculation.
enum class Finding {
    kDiametersSwapped,     ///< "D<=d": D ≤ d
    kNoThickness,          ///< "t<=0": t ≤ 0
    kNoConeHeight,         ///< "H<=t": H ≤ t
    kPull,                 ///< "f<0": f < 0
    kBeyondFlat,           ///< "f>h0": h0 > 0 and f > h0 (h0′ with contact flats)
    kBeyondThreeQuarters,  ///< "f>0.75h0": h0 > 0 and 0.75 × h0 < f ≤ h0 (h0′ likewise)
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
/// A spring with contact flats (t_reduced = t′ given) is flat at h0′ = H − t′, which the limits
/// on f then take for h0, and is not found "t>6": it is made so because it is thick.
Findings CheckDesign(const SpringInputs& in, std::optional<double> t_reduced = {});

/// The DIN 2093 design ranges the checks hold D/d, D/t and h0/t to; each edge lies inside.
struct DesignBand {
    double low, high;
};
inline constexpr DesignBand kDiameterRatioBand{1.75, 2.5};
inline constexpr DesignBand kSlendernessBand{16, 40};
inline constexpr DesignBand kHeightRatioBand{0.4, 1.3};

/// The quantities the checks form, as the program shows them (15 significant digits): what a
/// finding's sentence names.
struct ShownQuantities {
    double h0;              ///< H − t
    double flat;            ///< where the spring is flat: h0, or h0′ = H − t′ with flats
    double three_quarters;  ///< 0.75 × the shown flat
    double diameter_ratio;  ///< D ÷ d
    double slenderness;     ///< D ÷ t
    double height_ratio;    ///< the shown h0 ÷ t
};
ShownQuantities ShowQuantities(const SpringInputs& in, std::optional<double> t_reduced = {});

/// What the checks find at a design's working points.
enum class PointCheck {
    kBeyondFlat,           ///< "f>h0": beyond flat (h0′ with contact flats)
    kBeyondThreeQuarters,  ///< "f>0.75h0": beyond 0.75·h0, where the real curve leaves the relation
    /// "f<0.15h0": the lower of two points preloads the spring by less than 0.15·h0. Makers
    /// advise 0.15 … 0.20·h0 in fatigue loading, so that the residual tensile stress at point I
    /// turns compressive and cracks do not start there.
    kShallowPreload,
};

/// One finding at a working point.
struct PointFinding {
    PointCheck check;
    int point;     ///< 0 for the first, 1 for the second
    double f;      ///< the point's deflection
    double limit;  ///< the limit it passes, as shown: h0, 0.75·h0 or 0.15·h0 (h0′ with flats)

    friend bool operator==(const PointFinding&, const PointFinding&) = default;
};

/// The findings at up to two working points, given as deflections of one spring (absent: no
/// such point), in the order of the points, the preload last. The limits are judged as
/// CheckDesign judges them; the preload only where both points are given.
std::vector<PointFinding> CheckWorkingPoints(const SpringInputs& spring,
                                             std::optional<double> t_reduced,
                                             const std::array<std::optional<double>, 2>& f);

}  // namespace calc
