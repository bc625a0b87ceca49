// A progressive stack: packets of different springs and counts in series, each with a stop.
#pragma once

#include <optional>
#include <vector>

#include "calc/design_check.h"
#include "calc/fatigue_lines.h"
#include "calc/force_deflection.h"
#include "calc/row.h"
#include "runtime/expected.h"
#include "runtime/number_text.h"

namespace calc {

/// One packet of a column: `count` like springs nested in parallel, and where a stop (a spacer
/// ring or a stroke limiter) takes the load off them.
struct Packet {
    RowInputs spring;            ///< spring.f unused; t_reduced is t′ when `flats`
    bool flats = false;          ///< the springs have contact flats and t′
    int count = 1;               ///< n, 1 … kMaxStackCount
    std::optional<double> stop;  ///< one spring's deflection at the stop; none: flat (h0, h0′)
};

/// Packets in series, first to last, of one material. One force runs through them.
struct Column {
    std::vector<Packet> packets;
    Material material;
    bool outer_edge = false;  ///< each packet's σIV too
    bool check = false;       ///< each packet's row checked (its findings)
};

/// The most packets a column may hold.
inline constexpr int kMaxPackets = 200;

/// The i × n stack a column is when all its packets are the same: today's stack, whose springs
/// all deflect alike, so that its characteristic is one spring's stepped by deflection.
std::optional<StackLayout> UniformLayout(const Column& column);

/// Why a column cannot be computed: the first thing wrong, with its packet (from 1).
struct ColumnProblem {
    enum class Kind {
        kNoPacket,  ///< no packet at all
        kTooMany,   ///< more than kMaxPackets
        kCount,     ///< a count outside 1 … kMaxStackCount (value)
        kSpring,    ///< the spring itself computes no row at its stop: `error`
        kStop,      ///< a stop (value) outside 0 < stop ≤ flat (limit), as shown
        /// the packet's force at its stop (value) is not above 0, as shown (D ≤ d, say): it
        /// carries no load
        kNoForce,
        /// the spring's own force falls before its stop (h0/t above √2): in a column of other
        /// packets it would snap through. `limit` is the deflection of its peak force
        kFalls,
    };
    Kind kind;
    int packet = 0;
    double value = 0;
    double limit = 0;
    std::optional<RowError> error = {};
};

/// A column checked, with what its packets do at their stops.
struct PreparedColumn {
    Column column;
    std::vector<double> stops;          ///< each packet's stop, as shown
    std::vector<double> stop_forces;    ///< the force at which each reaches it, n × F as shown
    double free_length = 0;             ///< L0, the sum of H + (n − 1)·t (t′ with flats)
    double end_force = 0;               ///< the largest stop force: every packet at its stop
    std::vector<ForceSearch> searches;  ///< each packet's deflection for a force
};

/// Checks a column and finds each packet's stop force. A packet without a stop stops at flat.
/// A packet whose force falls before its stop is refused unless every packet is the same.
runtime::Expected<PreparedColumn, ColumnProblem> PrepareColumn(const Column& column);

/// One packet at a point of the column.
struct PacketAt {
    double f = 0;  ///< one spring's deflection, as shown
    /// The spring at its deflection, its count as a packet (F_stack = n × F, L the packet's),
    /// with its rate and checks: typing its f into the calculator gives its F and stresses.
    Row row;
    bool at_stop = false;  ///< the stop carries what the packet does not
};

/// The column at one force.
struct ColumnPoint {
    double force = 0;  ///< the force through the column, as shown
    std::vector<PacketAt> packets;
    /// The travel s, the sum of the packets' deflections, and the loaded length L0 − s; or the
    /// first packet's error, when one has no row.
    runtime::Expected<StackResults, RowError> stack;
    /// The column's rate: 1 ÷ Σ 1 ÷ (n × R) over the packets still deflecting, as the force
    /// rises to this point; and, where a packet reaches its stop here, the rate just after
    /// (none when every packet is then at its stop). A kink shows as two rates.
    std::optional<double> rate;
    std::optional<double> rate_after;
    bool kink = false;  ///< some packet reaches its stop at exactly this force
};

/// The column carrying `force` (N, not above the end force): each packet below its stop force
/// takes the deflection DeflectionForForce finds for it, the others stand at their stops. Sums
/// are formed smallest first, so that the order of the packets changes no bit.
ColumnPoint ColumnAtForce(const PreparedColumn& column, double force);

/// The column at travel `travel`: of the forces as shown, the one whose travel is nearest (the
/// smaller force on a tie). Refuses a negative travel and one beyond every packet at its stop.
runtime::Expected<ColumnPoint, Refusal> ColumnAtTravel(const PreparedColumn& column, double travel);

/// The column at a working point given as a force (by_force) or a travel: a negative force, or
/// one beyond every packet at its stop, refused; a travel as ColumnAtTravel finds it.
runtime::Expected<ColumnPoint, Refusal> ColumnAtPoint(const PreparedColumn& column, bool by_force,
                                                      double value);

/// The forces of a characteristic from unloaded to the end force, each as shown: N equal steps
/// and every packet's stop force, ascending, each once.
std::vector<double> CharacteristicForces(const PreparedColumn& column, int steps);

/// A packet judged as a single spring of its kind at the column's working points.
struct PacketJudgement {
    std::vector<PointFinding> points;  ///< beyond flat or 0.75·h0, the preload, σOM over Rm
    /// pressed past 0.75·h0 with no stop of its own to hold it there
    bool needs_stop = false;
    std::optional<CycleVerdict> cycle;  ///< under a dynamic load with two points
};

/// Each packet judged at up to two points of the column (the lower first), under `load`, its
/// cycle against `lines` when there are any.
std::vector<PacketJudgement> JudgeColumn(const PreparedColumn& column,
                                         const std::array<const ColumnPoint*, 2>& points, Load load,
                                         const std::vector<FatigueLine>* lines);

}  // namespace calc
