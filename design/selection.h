// A design's selection (选型): its requirement read and its candidates as a face shows them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/selection.h"
#include "design/inputs.h"
#include "rows/engineering.h"

namespace design {

/// How many of the catalogue's candidates are shown at first, as disc-spring-batch --best does,
/// how many more each "更多…" shows, and the most shown; the special springs are all shown.
inline constexpr std::size_t kShownAtFirst = 5;
inline constexpr std::size_t kShownMore = 20;
inline constexpr std::size_t kShownAtMost = 100;

/// A design's selection (选型): its requirement as read and the candidates for it, or why
/// there are none.
struct SelectionSheet {
    /// Why the requirement cannot be searched: a text that is not a number, or a value the
    /// search does not take (worded); or the design's own options cannot be used.
    std::optional<std::string> problem;
    calc::Requirement requirement;
    calc::Selection selection;
    std::size_t best = kShownAtFirst;        ///< how many of the catalogue's candidates are shown
    Language language = Language::kChinese;  ///< the language of its words

    /// The candidates in the order shown: the best of the catalogue's, then the special springs.
    std::vector<const calc::Candidate*> Shown() const;
    /// Whether "更多…" would show more of the catalogue's candidates.
    bool CanShowMore() const;
};

/// Reads the design's requirement (each text whole: a number and nothing else; blank fields as
/// kRequirementInputs says) with the design's material and friction, and selects for it from
/// DIN 2093's springs and special springs.
SelectionSheet ComputeSelection(const DesignTexts& texts, std::size_t best = kShownAtFirst,
                                Language language = Language::kChinese);

/// How many catalogue candidates "更多…" shows after `best`: kShownMore more, at most
/// kShownAtMost.
std::size_t MoreShown(std::size_t best);

/// The table's column names and each shown candidate's cells.
std::vector<std::string> SelectionHeaderCells(const SelectionSheet& sheet);
std::vector<std::string> SelectionRowCells(const SelectionSheet& sheet, std::size_t row,
                                           rows::Precision precision);

/// A shown candidate's sort keys, a column each: the number of a cell that holds one, none for
/// a text. The faces sort by value, never by the text.
std::vector<std::optional<double>> SelectionSortKeys(const SelectionSheet& sheet, std::size_t row);

/// One line about the outcome: how many candidates, or why none ("在 Ø40 的空间内…"), or the
/// problem.
std::string SelectionSummary(const SelectionSheet& sheet);

/// What 复制 copies: the header and every shown candidate with every digit, tab-separated, one
/// line each (empty when there are none).
std::string SelectionCopyText(const SelectionSheet& sheet);

/// The design with candidate `row` in place of its spring and stack (D, d, t, t′, H, i, n, and
/// the packets of a progressive stack, which it then has none of),
/// its working points the requirement's points (by travel or by force, as the requirement
/// gives them); the material, friction, steps and requirement stay.
DesignTexts OpenCandidate(const DesignTexts& texts, const SelectionSheet& sheet, std::size_t row);

}  // namespace design
