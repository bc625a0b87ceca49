// Reading the DIN 2093 catalogue built in from data/din2093.tsv.
#include "calc/catalogue.h"

#include <array>
#include <cstdlib>

#include "calc/tsv_lines.h"
#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace calc {
namespace {

constexpr std::array<std::string_view, 11> kColumns = {"series", "group",     "De",      "Di",
                                                       "t",      "t_reduced", "l0",      "l0_inch",
                                                       "F_075",  "sources",   "sureness"};
enum Column { kSeries, kGroup, kDe, kDi, kT, kTReduced, kL0, kL0Inch, kF075, kSources, kSureness };

// A positive number written whole, or nothing for an empty cell.
std::optional<double> Number(std::string_view cell, bool& usable) {
    if (cell.empty()) {
        return std::nullopt;
    }
    const runtime::NumberReading read = runtime::ReadNumber(cell);
    usable = read.whole && read.value && *read.value > 0;
    return usable ? std::optional(*read.value) : std::nullopt;
}

}  // namespace

std::string CatalogueSpring::Name() const {
    return series + " " + std::string(runtime::NumberToText(spring.spring.D).view());
}

runtime::Expected<std::vector<CatalogueSpring>, CatalogueProblem> ReadCatalogue(
    std::string_view tsv) {
    using Kind = CatalogueProblem::Kind;
    std::vector<CatalogueSpring> springs;
    std::array<std::size_t, kColumns.size()> at{};
    bool header = false;
    for (const TsvLine& line : ReadTsvLines(tsv).lines) {
        const int number = line.number;
        const std::vector<std::string_view>& cells = line.cells;
        if (!header) {
            for (std::size_t c = 0; c < kColumns.size(); ++c) {
                std::size_t found = 0;
                while (found < cells.size() && cells[found] != kColumns[c]) {
                    ++found;
                }
                if (found == cells.size()) {
                    return CatalogueProblem{Kind::kMissingColumn, number, kColumns[c]};
                }
                at[c] = found;
            }
            header = true;
            continue;
        }
        const auto cell = [&](Column c) {
            return at[c] < cells.size() ? cells[at[c]] : std::string_view();
        };
        CatalogueSpring spring;
        spring.series = std::string(cell(kSeries));
        spring.sources = std::string(cell(kSources));
        spring.sureness = std::string(cell(kSureness));
        const std::string_view group = cell(kGroup);
        spring.group = group == "1" ? 1 : group == "2" ? 2 : group == "3" ? 3 : 0;
        if (spring.group == 0 || spring.series.empty()) {
            return CatalogueProblem{Kind::kSeriesOrGroup, number, {}};
        }
        double* const required[] = {&spring.spring.spring.D, &spring.spring.spring.d,
                                    &spring.spring.spring.t, &spring.spring.spring.H};
        const Column required_columns[] = {kDe, kDi, kT, kL0};
        for (std::size_t k = 0; k < 4; ++k) {
            bool usable = false;
            const auto value = Number(cell(required_columns[k]), usable);
            if (!value) {
                return CatalogueProblem{Kind::kNotPositive, number, kColumns[required_columns[k]]};
            }
            *required[k] = *value;
        }
        bool flats_usable = true;
        if (const auto t_reduced = Number(cell(kTReduced), flats_usable)) {
            spring.spring.t_reduced = *t_reduced;
            spring.flats = true;
        } else if (!flats_usable) {
            return CatalogueProblem{Kind::kNotPositiveOrBlank, number, kColumns[kTReduced]};
        }
        for (const auto& [column, target] :
             {std::pair{kL0Inch, &spring.l0_inch}, std::pair{kF075, &spring.F_075}}) {
            bool usable = true;
            *target = Number(cell(column), usable);
            if (!usable) {
                return CatalogueProblem{Kind::kNotPositiveOrBlank, number, kColumns[column]};
            }
        }
        springs.push_back(std::move(spring));
    }
    if (!header) {
        return CatalogueProblem{Kind::kNoHeader, 0, {}};
    }
    return springs;
}

const std::vector<CatalogueSpring>& Din2093() {
    // Built in from the repository's file, which the tests read whole: it always reads.
    static const std::vector<CatalogueSpring> springs = [] {
        auto read = ReadCatalogue(Din2093Text());
        if (!read) {
            std::abort();
        }
        return std::move(*read);
    }();
    return springs;
}

const CatalogueSpring* FindCatalogueSpring(std::string_view series, double D) {
    for (const CatalogueSpring& spring : Din2093()) {
        if (spring.series == series && spring.spring.spring.D == D) {
            return &spring;
        }
    }
    return nullptr;
}

}  // namespace calc
