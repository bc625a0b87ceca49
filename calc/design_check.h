// The design checks: what they find in a spring, its stack and its working points.
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
    kDiameterRatio,        ///< "D/d": D > d > 0 and D ÷ d outside kDiameterRatioBand
    kSlenderness,          ///< "D/t": D > 0, t > 0 and D ÷ t outside kSlendernessBand (t′)
    kHeightRatio,   ///< "h0/t": t > 0, h0 > 0 and h0 ÷ t outside kHeightRatioBand (h0′/t′)
    kThick,         ///< "t>6": t > 6, made with contact flats, which the model leaves out
    kOverstressed,  ///< "sOM>Rm": σOM at f, as shown, above the material's Rm
    /// "friction": friction raises the loading force more than the typical values would
    /// (w_M = 0.03, w_R = 0.04)
    kFrictionBeyondTypical,
    kNearLocking,  ///< "locking": the loading force is at least twice the friction-free one
    /// "Rm?": the material's Rm is not known, so the strength is not judged
    kStrengthUnknown,
    /// "L0>3D": a stack whose free length is more than 3·D: makers advise dividing it into
    /// sections with guide washers between them
    kLongStack,
    kCount,  ///< not a finding: how many there are
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

/// Every finding about these values (the first ten kinds). D, d, t, H and f are compared as
/// read; the quantities formed from them (h0 = H − t, 0.75·h0, D/d, D/t, h0/t) as the program
/// shows them, rounded to 15 significant digits, so that a spring typed at a limit is at it,
/// not a hair beyond. A spring with contact flats (t_reduced = t′ given) is flat at h0′ = H − t′,
/// which the limits on f then take for h0, its ratios are D/t′ and h0′/t′, and it is not found
/// "t>6": it is made so because it is thick.
Findings CheckDesign(const SpringInputs& in, std::optional<double> t_reduced = {});

/// The ranges the checks hold D/d, D/t and h0/t to; each edge lies inside. DIN 2093 states its
/// ranges as approximate (1.75 … 2.5, 16 … 40, 0.4 … 1.3); these are those ranges widened to
/// the spread of the standard's own springs, so that none of its series draws a finding: their
/// D/d lie within 1.90 … 2.05 and D/t within 16 … 40, and their h0/t reach from 0.34 (A 80) to
/// 1.333 (C 18, C 22.5). Outside, the relations are less sure than for the standard's springs.
struct DesignBand {
    double low, high;
};
inline constexpr DesignBand kDiameterRatioBand{1.75, 2.5};
inline constexpr DesignBand kSlendernessBand{16, 40};
inline constexpr DesignBand kHeightRatioBand{0.34, 1.34};

/// The quantities the checks form, as the program shows them (15 significant digits): what a
/// finding's sentence names.
struct ShownQuantities {
    double h0;              ///< H − t
    double flat;            ///< where the spring is flat: h0, or h0′ = H − t′ with flats
    double three_quarters;  ///< 0.75 × the shown flat
    double diameter_ratio;  ///< D ÷ d
    double slenderness;     ///< D ÷ t (t′ with flats)
    double height_ratio;    ///< the shown flat ÷ t (h0′ ÷ t′ with flats)
};
ShownQuantities ShowQuantities(const SpringInputs& in, std::optional<double> t_reduced = {});

/// How `value`, as the program shows it (15 significant digits), compares with `limit`: -1
/// below, 0 equal, 1 above. Most values are told apart without forming the shown value.
int CompareAsShown(double value, double limit);

/// What the checks find at a design's working points.
enum class PointCheck {
    kBeyondFlat,           ///< "f>h0": beyond flat (h0′ with contact flats)
    kBeyondThreeQuarters,  ///< "f>0.75h0": beyond 0.75·h0, where the real curve leaves the relation
    /// "f<0.15h0": under a dynamic load, the lower of the two points preloads the spring by less
    /// than 0.15·h0. Makers advise 0.15 … 0.20·h0 in fatigue loading, so that the residual
    /// tensile stress at point I turns compressive and cracks do not start there; a static load
    /// has no such rule.
    kShallowPreload,
    /// "sOM>Rm": at the upper working point, the point in use, σOM (as shown) is above the
    /// material's tensile strength Rm: the spring would set or break under a static load.
    kOverstressed,
};

/// One finding at a working point.
struct PointFinding {
    PointCheck check;
    int point;  ///< 0 for the first, 1 for the second
    double f;   ///< the point's deflection
    /// The limit it passes, as shown: h0, 0.75·h0 or 0.15·h0 (h0′ with flats), or Rm
    double limit;
    double sigma_om = 0;  ///< σOM at the point, for kOverstressed

    friend bool operator==(const PointFinding&, const PointFinding&) = default;
};

/// Whether a load cycles between two working points (fatigue loading) or stands still.
enum class Load {
    kStatic,
    kDynamic,
};

/// The findings at up to two working points, given as deflections of one spring (absent: no
/// such point), in the order of the points, the preload last. The limits are judged as
/// CheckDesign judges them; the preload only under a dynamic load where both points are given.
std::vector<PointFinding> CheckWorkingPoints(const SpringInputs& spring,
                                             std::optional<double> t_reduced,
                                             const std::array<std::optional<double>, 2>& f,
                                             Load load);

/// Whether a stack of free length L0 is longer than 3·D, as shown: then makers advise guiding
/// it in sections.
bool LongStack(double L0, double D);

/// How much of the material's tensile strength σOM uses, σOM ÷ Rm; none when Rm is not known.
std::optional<double> Utilisation(double sigma_om, const Material& material);

/// The static check at the upper working point `point` (the one of larger f, or the only one):
/// σOM there against the material's Rm; nothing when it holds or Rm is not known.
std::optional<PointFinding> CheckStrength(int point, double f, double sigma_om,
                                          const Material& material);

}  // namespace calc
