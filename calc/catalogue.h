// The DIN 2093 catalogue: its springs, as read from the repository's data file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/row.h"
#include "runtime/expected.h"

namespace calc {

/// A spring of a catalogue: DIN 2093's, as the repository's data/din2093.tsv holds them.
struct CatalogueSpring {
    std::string series;  ///< "A", "B" or "C"
    int group = 0;       ///< 1 (t < 1.25), 2 or 3 (t > 6, with contact flats)
    RowInputs spring;    ///< De, Di, t, l0 (f = 0), and t′ for group 3
    bool flats = false;  ///< made with contact flats: spring.t_reduced is its t′
    /// The free height in inches × 25.4 where a source gives no metric one; the height used is
    /// that value rounded to the 0.05 mm every metric height of the standard is a multiple of.
    std::optional<double> l0_inch;
    std::optional<double> F_075;  ///< the published force at 0.75·h0, N
    std::string sources;          ///< who prints it (the file's header names them)
    std::string sureness;         ///< how sure the row is, in the file's words

    /// "A 40": the series and De, as the standard names a spring.
    std::string Name() const;
};

/// Why a catalogue cannot be read: the first thing wrong, with its line (from 1) and column.
struct CatalogueProblem {
    enum class Kind {
        kNoHeader,            ///< no header line at all
        kMissingColumn,       ///< the header lacks `column`
        kSeriesOrGroup,       ///< a series that is empty or a group that is not 1, 2 or 3
        kNotPositive,         ///< `column` must hold a positive number
        kNotPositiveOrBlank,  ///< `column` must hold a positive number or nothing
    };
    Kind kind;
    int line = 0;
    std::string_view column;

    friend bool operator==(const CatalogueProblem&, const CatalogueProblem&) = default;
};

/// Reads a catalogue in data/din2093.tsv's form: '#' lines, a header line naming the columns
/// series, group, De, Di, t, t_reduced, l0, l0_inch, F_075, sources, sureness (in any order),
/// then one spring a line; or the first value it cannot use.
runtime::Expected<std::vector<CatalogueSpring>, CatalogueProblem> ReadCatalogue(
    std::string_view tsv);

/// DIN 2093's springs as found in public sources, built into the program from
/// data/din2093.tsv.
const std::vector<CatalogueSpring>& Din2093();

/// The spring of DIN 2093's catalogue of series `series` ("A", "B", "C") and De `D` mm; none
/// when the catalogue lacks it.
const CatalogueSpring* FindCatalogueSpring(std::string_view series, double D);

/// The text of data/din2093.tsv as built in.
std::string_view Din2093Text();

}  // namespace calc
