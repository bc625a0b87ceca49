// Fatigue lines the engineer reads off a diagram, and a load cycle judged against them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/fatigue.h"
#include "runtime/expected.h"

namespace calc {

/// One permissible-stress line of a fatigue diagram, as an engineer reads it off the diagram in
/// their copy of the standard or a maker's handbook: for springs of `group` and `cycles` load
/// cycles, the permissible upper stress σO over the lower stress σU, straight between two read
/// points. This program ships no such line: every one is the user's, with its source.
struct FatigueLine {
    int group = 0;                    ///< 1, 2 or 3, the standard's thickness groups
    double cycles = 0;                ///< N, the life the line stands for
    std::string cycles_text;          ///< N as written, for the wording
    double lower_1 = 0, upper_1 = 0;  ///< the first point (σU, σO), MPa
    double lower_2 = 0, upper_2 = 0;  ///< the second, at a larger σU
    std::string source;               ///< where it was read, as the user wrote it

    friend bool operator==(const FatigueLine&, const FatigueLine&) = default;
};

/// Why a line set cannot be used: the first thing wrong, with its line (from 1).
struct FatigueLinesProblem {
    enum class Kind {
        kColumns,     ///< not the seven columns group, N, σU1, σO1, σU2, σO2, source
        kNotANumber,  ///< `column` is not a plain number
        kGroup,       ///< the group is not 1, 2 or 3
        kCycles,      ///< N is not positive
        kOnePoint,    ///< both points at one σU (or the second first): no line
        kBelowLower,  ///< a point's σO below its σU
        kFalling,     ///< σO falls as σU rises
        kNoSource,    ///< no source: a line nobody can trace is not taken
        /// a line of more cycles lies above one of fewer in the same group, somewhere in the
        /// σU range both cover (as when N went into the wrong rows): `other` is that line
        kCrossed,
        kNul,      ///< a NUL byte: not text
        kTooMany,  ///< more than kMaxFatigueLines lines: `line` is the first beyond
        kEmpty,    ///< no line at all
    };
    Kind kind;
    int line = 0;
    int column = 0;  ///< for kNotANumber, from 1
    int other = 0;   ///< for kCrossed: the line of fewer cycles it crosses

    friend bool operator==(const FatigueLinesProblem&, const FatigueLinesProblem&) = default;
};

/// Reads a line set: UTF-8 text, a line each with group, N, σU1, σO1, σU2, σO2 and the source,
/// separated by tabs, or, as typed by hand, the six numbers separated by runs of blanks and the
/// rest of the line the source; blank lines and lines starting with '#' are skipped; line ends
/// LF, CRLF or CR. All or nothing: the first problem refuses the whole set, and so do two lines
/// of one group that cross.
runtime::Expected<std::vector<FatigueLine>, FatigueLinesProblem> ReadFatigueLines(
    std::string_view tsv);

/// The most lines a set may hold: a diagram has a few a group, and each pair of a group is
/// checked for crossing.
inline constexpr int kMaxFatigueLines = 300;

/// The most bytes a line set's file may hold: as many as the design file that carries it.
inline constexpr std::size_t kMaxFatigueFileBytes = 1 << 20;

/// Why a file cannot become a line set's text, whatever its lines say.
enum class FatigueFileProblem {
    kTooLarge,  ///< more than kMaxFatigueFileBytes
    kNotUtf8,   ///< not UTF-8 text
};

/// The text of a line set's file, to be kept as typed and read by ReadFatigueLines: its bytes
/// without the byte-order mark Windows editors put first, or why they cannot be taken. Its first
/// kMaxFatigueFileBytes + 1 bytes are enough to judge.
runtime::Expected<std::string_view, FatigueFileProblem> FatigueFileText(std::string_view bytes);

/// The standard's thickness group of a spring of thickness t (mm, as made, not t′): 1 below
/// 1.25 mm, 2 up to 6 mm, 3 above (those have contact flats and a reduced t′, which does not
/// move them to another group).
int ThicknessGroup(double t);

/// A line against a load cycle: where σU lies on it and whether σO stays under it.
struct FatigueLineVerdict {
    FatigueLine line;
    bool in_range = false;   ///< σU within the line's two points: no extrapolation beyond them
    double permissible = 0;  ///< σO,perm at σU, when in range
    double margin = 0;       ///< σO,perm − σO, when in range
    bool holds = false;      ///< in range and σO ≤ σO,perm
};

/// A cycle at one point judged against the lines of the spring's group, ordered by N.
struct FatigueJudgement {
    int group = 0;
    std::vector<FatigueLineVerdict> lines;  ///< the group's lines, fewest cycles first
    /// The line of the largest N that holds; nothing is said of lives between lines.
    std::optional<FatigueLineVerdict> longest;

    /// Whether any line reaches the cycle's σU, so that something is judged at all.
    bool Judged() const;
    /// Whether a line of at least `life` cycles holds: the cycle lasts `life` by these lines.
    bool HoldsFor(double life) const;
    /// The first line that reaches σU, of the fewest cycles: when none holds, the life is below
    /// its N.
    const FatigueLineVerdict* FirstJudged() const;
};

/// Judges a load cycle of a spring of thickness t against `lines`. With no line for its group,
/// `lines` is empty and nothing is judged.
FatigueJudgement JudgeFatigue(const std::vector<FatigueLine>& lines, double t,
                              const LoadCycle& cycle);

/// The cycle between two working points judged at both II and III: the lesser life stands.
struct CycleVerdict {
    std::array<LoadCycle, 2> cycles;  ///< at II, at III
    /// Each point's judgement, as `cycles`, when there are lines to judge by.
    std::optional<std::array<FatigueJudgement, 2>> judged;
    /// The point whose verdict stands, 0 (II) or 1 (III): a point where a line fails before one
    /// no line reaches, before one where lines hold, and of those the shorter life; on a tie the
    /// smaller margin. Without lines, the point of the larger range σh.
    int deciding = 0;

    const LoadCycle& Cycle() const { return cycles[static_cast<std::size_t>(deciding)]; }
    /// The deciding point's judgement, when there are lines.
    const FatigueJudgement* Judgement() const;
};

/// The cycle from a spring's lower to its upper working point, judged at both points against
/// `lines` (none: not judged) by the spring's thickness t as made.
CycleVerdict JudgeCycle(const SpringResults& lower, const SpringResults& upper, double t,
                        const std::vector<FatigueLine>* lines);

}  // namespace calc
