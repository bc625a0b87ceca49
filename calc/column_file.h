// A progressive stack written as text: one packet a line, first to last.
#pragma once

#include <string_view>

#include "calc/column.h"
#include "runtime/expected.h"

namespace calc {

/// Why a stack's text cannot be read: the first thing wrong, with its line (from 1).
struct ColumnTextProblem {
    enum class Kind {
        kColumns,        ///< not 5 to 7 fields: n, D, d, t, H[, t′[, stop]]
        kNotANumber,     ///< field `field` (from 1) is not a plain number, nor "-" where one may be
                         ///< left out
        kCount,          ///< n is not a whole number
        kTooMany,        ///< more than kMaxPackets packets: `line` is the first beyond
        kEmpty,          ///< no packet at all
        kNul,            ///< a NUL byte: not text
        kUnknownSpring,  ///< a spring named by series and D that the DIN 2093 catalogue lacks
    };
    Kind kind;
    int line = 0;
    int field = 0;

    friend bool operator==(const ColumnTextProblem&, const ColumnTextProblem&) = default;
};

/// Reads a stack: UTF-8 text, a packet a line with its count n, D, d, t, H in mm and, as the
/// packet has them, its reduced thickness t′ (contact flats) and the deflection of one spring at
/// its stop, separated by tabs or runs of blanks; a blank field or "-" leaves t′ or the stop
/// out (the stop then is flat). A spring of the DIN 2093 catalogue may be named instead of its
/// dimensions, by its series and D ("2 A 40", "2 A40"), its stop after the name. Blank lines and
/// lines starting with '#' are skipped; line ends LF, CRLF or CR. All or nothing. The material is
/// not the text's: it is the caller's.
runtime::Expected<Column, ColumnTextProblem> ReadColumnText(std::string_view text,
                                                            const Material& material);

}  // namespace calc
