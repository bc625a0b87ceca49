// The selection: from a requirement to DIN 2093 springs and special springs, every one of which
// the checks find nothing on.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "calc/catalogue.h"
#include "calc/design_check.h"
#include "calc/fatigue.h"
#include "calc/fatigue_lines.h"
#include "calc/row.h"
#include "calc/test_force.h"

namespace calc {

/// The total clearance, mm, makers recommend between a disc spring and its guide, by the guided
/// diameter (Di on a rod, De in a sleeve or bore): 0.2 up to 16 mm, 0.3 to 20, 0.4 to 26, 0.5 to
/// 31.5, 0.6 to 50, 0.8 to 80, 1.0 to 140 and 1.6 to 250 mm (two makers' published tables agree;
/// the README names them). Beyond 250 mm, 1.6 mm as well.
double GuideClearance(double diameter);

/// The strip thicknesses, mm, a special spring is made from: those of DIN 2093's springs, and
/// those a maker stocks (docs/selection.md names them). Special springs stay in groups 1 and 2
/// (t ≤ 6 mm): thicker ones need contact flats machined to a t′ of their own.
inline constexpr std::array<double, 26> kStripThicknesses = {
    0.2,  0.25, 0.3,  0.35, 0.4, 0.45, 0.5, 0.6, 0.7, 0.8, 0.9, 1,   1.1,
    1.25, 1.5,  1.75, 1.8,  2,   2.25, 2.5, 3,   3.5, 4,   5,   5.5, 6};

/// The density of spring steel, g/cm³.
inline constexpr double kSteelDensity = 7.85;

/// One load point a spring or stack must meet.
struct LoadPoint {
    /// false: a force at a travel, the stack's force at travel s within the tolerance of F;
    /// true: a travel for a force, the stack's travel under force F within the tolerance of s.
    bool force_given = false;
    double s = 0;  ///< the stack's travel (one spring's f when i = 1), mm
    double F = 0;  ///< the stack's force n × F, friction left out, N
    /// The relative deviation allowed either way. A given force that a spring reaches only a
    /// little beyond 0.75·h0 (h0′ with flats) is met at 0.75·h0 when the stack's force there
    /// lies within this tolerance of it (and the travel within its own): so a catalogue spring
    /// asked at its published test force meets it.
    double tolerance = 0.05;
};

/// What a spring or stack must do, and where it must fit.
struct Requirement {
    std::vector<LoadPoint> points;  ///< one or two
    double bore = 0;  ///< the space's diameter: a bore or sleeve the stack stands in, mm
    double rod = 0;   ///< the guide rod's diameter, mm; 0: none
    /// The clearance between spring and guide at both diameters; GuideClearance when none.
    std::optional<double> clearance;
    /// The longest the stack may be at its lower point (the installed length), mm.
    std::optional<double> max_length;
    Material material;                 ///< E, μ and Rm, which σOM is held to
    double density = kSteelDensity;    ///< g/cm³, for the mass
    std::optional<Friction> friction;  ///< shown at the points; the forces above leave it out
    /// A dynamic load: the lower point must preload each spring by at least 0.15·h0, and the
    /// candidates show the stress cycle at both points II and III. A static load has neither.
    bool dynamic = false;
    /// The user's fatigue lines: a dynamic load's candidates are judged against them.
    std::vector<FatigueLine> fatigue_lines;
    /// The life a dynamic load's candidates must last by those lines (a line of at least this
    /// many cycles holds); none: not required.
    std::optional<double> life;
    int max_series = 30;   ///< the most packets in series, i
    int max_parallel = 3;  ///< the most springs nested in a packet, n
    /// How many special springs to design beside the catalogue's; none when the material's Rm
    /// is not known: a new product needs a strength to be designed against.
    int special = 3;
    /// Whether stacks longer than 3·D (free length) may be offered; makers advise guiding such
    /// stacks in sections.
    bool long_stacks = false;
};

/// Why a requirement cannot be searched at all.
struct RequirementProblem {
    enum class Kind {
        kNoPoint,          ///< no load point
        kNotPositive,      ///< s or F of a point, or the bore, is not above 0 (or not finite)
        kTolerance,        ///< a tolerance outside 0 … 50 %
        kRodTooLarge,      ///< the rod leaves no room in the bore
        kLimit,            ///< max_series or max_parallel outside 1 … kMaxSelectionCount
        kSameTravel,       ///< two points at the same travel, or the same force
        kSpecialCount,     ///< special outside 0 … kMaxSpecial
        kNegativeLength,   ///< a clearance below 0 or a longest length not above 0
        kDynamicOnePoint,  ///< a dynamic load with one point: it needs a lower and an upper one
        kLife,             ///< a life not above 0 (or not finite)
        kLifeNotDynamic,   ///< a life required of a load that is not dynamic
        kLifeNoLines,      ///< a life required without fatigue lines to judge it by
        kLifeBeyondLines,  ///< a life above the N of every line entered: none can give it
    };
    Kind kind;
    int point = -1;  ///< the point concerned, 0 or 1, where there is one

    friend bool operator==(const RequirementProblem&, const RequirementProblem&) = default;
};

/// The most packets or nested springs a selection considers, and special springs it designs.
inline constexpr int kMaxSelectionCount = 100;
inline constexpr int kMaxSpecial = 20;

std::optional<RequirementProblem> CheckRequirement(const Requirement& requirement);

/// A spring or stack at one load point, as the batch tool's row at its deflection gives it.
struct PointOutcome {
    double f = 0;          ///< one spring's deflection
    Row row;               ///< the row at f: F, stresses, s, F_stack, L, friction and findings
    double deviation = 0;  ///< (reached − required) ÷ required of the toleranced quantity
    /// The point was met at 0.75·h0, the given force lying a little beyond within its
    /// tolerance: the force there is the stack's, not the one asked.
    bool at_limit = false;
};

/// A spring and stack that meets the requirement.
struct Candidate {
    std::optional<std::size_t> catalogue;  ///< its index in the catalogue; none: a special spring
    RowInputs spring;                      ///< D, d, t, H (f = 0) and t′ with flats
    bool flats = false;
    StackLayout stack;
    RowOptions options;                ///< what its rows are computed with
    std::vector<PointOutcome> points;  ///< one a load point, in the requirement's order
    int upper = 0;                     ///< the point of larger f, where σOM is judged
    double utilisation = 0;            ///< σOM ÷ Rm at the upper point; σOM when Rm is not known
    Inspection inspection;             ///< one spring at its test length
    /// For a dynamic load: the cycle at II and III, judged against the requirement's lines
    /// when it has some.
    std::optional<CycleVerdict> cycle;
    double L0 = 0;     ///< the stack's free length, mm
    double block = 0;  ///< the stack's length with every spring flat, mm
    double clearance_outer = 0, clearance_inner = 0;  ///< applied at D in the bore, d on the rod
    double mass = 0;                                  ///< g, all its springs
    Findings findings;                                ///< the design findings of the spring
    std::vector<PointFinding> point_findings;  ///< the checks at its points that do not exclude

    int Springs() const { return stack.series * stack.parallel; }
};

/// Why nothing meets a requirement, with the nearest value reached.
struct Shortfall {
    enum class Kind {
        kNoSpace,     ///< no spring fits between the rod and the bore
        kTooHigh,     ///< the point's value is more than anything in the space reaches
        kTooLow,      ///< it is less than anything in the space gives
        kNearest,     ///< values around it are reached, but never all points within tolerance
        kNoneUsable,  ///< every spring that fits is excluded, for the `excluded` reasons
        kFatigue,     ///< stacks meet everything else, but the lines hold for none at the life
    };
    /// For kFatigue: how many stacks met everything else, by why the lines do not give them
    /// the life.
    struct FatigueMisses {
        int no_line = 0;  ///< no line of the spring's thickness group
        int outside = 0;  ///< no line of its group reaches its σU
        int short_ = 0;   ///< the lines that reach σU fail, or hold only for fewer cycles
    };
    /// Why springs that fit were excluded, for kNoneUsable: each reason that excluded one.
    enum Exclusion : unsigned {
        kStrength = 1,       ///< σOM above Rm at the test deflection 0.75·h0 (h0′ with flats)
        kThreeQuarters = 2,  ///< a point beyond 0.75·h0 in every stack within the limits
        kPreload = 4,        ///< the lower point preloads less than 0.15·h0 (a dynamic load)
        kLength = 8,         ///< longer than allowed at the lower point
        kLocking = 16,       ///< friction locks the stack, or nearly
        kLongStack = 32,     ///< longer than 3·D, and long stacks are not allowed
    };
    Kind kind;
    int point = 0;          ///< the point whose value is named
    bool travel = false;    ///< the values are travels s, mm; else forces, N
    double required = 0;    ///< the value required
    double reached = 0;     ///< the most, the least or the nearest reached
    double bore = 0;        ///< the space, for the words
    unsigned excluded = 0;  ///< the Exclusion reasons that excluded springs that fit
    FatigueMisses fatigue;
};

/// The candidates for a requirement: DIN 2093's springs and special springs, each group ranked
/// by the fewest springs, then the lowest σOM ÷ Rm, then the shortest stack (then the lighter,
/// then D, for a stable order); or why none.
struct Selection {
    std::vector<Candidate> catalogue;
    std::vector<Candidate> special;      ///< at most requirement.special
    std::optional<Shortfall> shortfall;  ///< when both are empty
};

}  // namespace calc
