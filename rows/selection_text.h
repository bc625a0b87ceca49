// The selection in words.
#pragma once

#include <string>
#include <vector>

#include "calc/selection.h"
#include "rows/cells.h"
#include "rows/engineering.h"
#include "rows/language.h"

namespace rows {

/// The names of a selection's columns: the spring (kind, name, D, d, t, t′, H), the stack i × n,
/// each load point's travel s, force F_stack and length L, σOM ÷ Rm at the upper point, σU and
/// σO at the governing point (a dynamic load only; empty with one point), the free length L0,
/// the mass, the findings and how sure the spring's dimensions are.
std::vector<std::string> SelectionHeader(const calc::Requirement& requirement,
                                         Language language = Language::kChinese);

/// A candidate's cells under SelectionHeader; the numbers with every digit or a reader's. With
/// `point_columns` above the requirement's points, the missing points' cells are empty.
void CandidateCells(const calc::Candidate& candidate, const calc::Requirement& requirement,
                    const std::vector<calc::CatalogueSpring>& catalogue, Precision precision,
                    CellSink& out, std::size_t point_columns = 0,
                    Language language = Language::kChinese);

/// A candidate's name: "DIN 2093 A 40", or "特制 D40×20.4×1.8 H4.15".
std::string CandidateName(const calc::Candidate& candidate,
                          const std::vector<calc::CatalogueSpring>& catalogue,
                          Language language = Language::kChinese);

/// Why nothing meets the requirement, with the nearest value reached:
/// "在 Ø40 的空间内，工作点 1 的力最多能达到 3870 N（要求 5000 N ± 5 %）".
std::string ShortfallText(const calc::Shortfall& shortfall, const calc::Requirement& requirement,
                          Language language = Language::kChinese);

/// Why no special spring is designed for a requirement that asks for some: the material's Rm is
/// not known. Empty otherwise.
std::string SpecialRefused(const calc::Requirement& requirement,
                           Language language = Language::kChinese);

/// Why a catalogue cannot be read: "第 3 行：t 应为正数".
std::string CatalogueProblemText(const calc::CatalogueProblem& problem,
                                 Language language = Language::kChinese);

/// Why a requirement cannot be searched.
std::string RequirementProblemText(const calc::RequirementProblem& problem,
                                   Language language = Language::kChinese);

}  // namespace rows
