#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/selection.h"
#include "design/inputs.h"
#include "rows/engineering.h"

namespace design {

/// A design's selection (选型): its requirement as read and the candidates for it, or why
/// there are none.
struct SelectionSheet {
    /// Why the requirement cannot be searched: a text that is not a number, or a value the
    /// search does not take (worded); or the design's own options cannot be used.
    std::optional<std::string> problem;
    calc::Requirement requirement;
    calc::Selection selection;

    /// The candidates in the order shown: the catalogue's, then the special springs.
    std::vector<const calc::Candidate*> Shown() const;
};

/// Reads the design's requirement (each text whole: a number and nothing else; blank fields as
/// kRequirementInputs says) with the design's material and friction, and selects for it from
/// DIN 2093's springs and special springs.
SelectionSheet ComputeSelection(const DesignTexts& texts);

/// The table's column names and each shown candidate's cells.
std::vector<std::string> SelectionHeaderCells(const SelectionSheet& sheet);
std::vector<std::string> SelectionRowCells(const SelectionSheet& sheet, std::size_t row,
                                           rows::Precision precision);

/// One line about the outcome: how many candidates, or why none ("在 Ø40 的空间内…"), or the
/// problem.
std::string SelectionSummary(const SelectionSheet& sheet);

/// What 复制 copies: the header and every shown candidate with every digit, tab-separated, one
/// line each (empty when there are none).
std::string SelectionCopyText(const SelectionSheet& sheet);

/// The design with candidate `row` in place of its spring and stack (D, d, t, t′, H, i, n),
/// its working points the requirement's points (by travel or by force, as the requirement
/// gives them); the material, friction, steps and requirement stay.
DesignTexts OpenCandidate(const DesignTexts& texts, const SelectionSheet& sheet, std::size_t row);

}  // namespace design
