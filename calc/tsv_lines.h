// Splits a tab-separated text into its numbered lines and cells.
#pragma once

#include <string_view>
#include <vector>

namespace calc {

/// A line of a tab-separated file with its number (from 1), its text and its cells.
struct TsvLine {
    int number = 0;
    std::string_view text;
    std::vector<std::string_view> cells;
};

/// The lines that hold something, as the catalogue and the fatigue lines are read: split at LF,
/// CRLF or a lone CR (an old Mac editor's), lines that are blank or start with '#' left out.
/// `count` is how many lines the text has in all. The views point into `text`.
struct TsvLines {
    std::vector<TsvLine> lines;
    int count = 0;
};
TsvLines ReadTsvLines(std::string_view text);

/// The words of a line typed with blanks: the runs between blanks and tabs.
std::vector<std::string_view> BlankSeparated(std::string_view line);

}  // namespace calc
