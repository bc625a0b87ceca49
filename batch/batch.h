// What answers a catalogue line, a requirement line or a design file, as disc-spring-batch prints
// it; the program and the browser's engine both call it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/column.h"
#include "calc/fatigue_lines.h"
#include "calc/row.h"
#include "calc/selection.h"
#include "design/inputs.h"
#include "rows/language.h"
#include "runtime/expected.h"

namespace batch {

/// What --select asks of each requirement line beyond its space and points.
struct SelectOptions {
    int best = 5;              ///< --best K: the catalogue's best K candidates a line
    double tolerance = 0.05;   ///< --tolerance P, of every point of a line
    bool force_given = false;  ///< --given F: each point's force is given, its travel toleranced
    /// Clearance, longest length, dynamic, life, limits, long stacks and how many special
    /// springs; its points, bore and rod come from each line, its material and friction from
    /// --material and --friction.
    calc::Requirement base;
};

/// How lines are answered.
struct BatchOptions {
    int curve_steps = 0;  ///< N of --curve: each line a characteristic of N + 1 rows; 0 plain
    /// --comments: blank lines and lines starting with '#' get no row (they are still counted
    /// where rows are numbered by their line).
    bool comments = false;
    /// --id: each line's first field is its ID, any text without a tab, which leads each of its
    /// rows (and "ID" the header); the rest of the line is read as without it.
    bool id = false;
    bool force = false;    ///< --force: each line's last field is a force, and f is found for it
    calc::RowOptions row;  ///< material, contact flats, rate, stack, friction, checks
    /// --lang: the language of headers, messages and sentences (never of numbers or codes)
    rows::Language language = rows::Language::kChinese;
    std::optional<SelectOptions> select;  ///< --select: each line a requirement
    /// --stack: the progressive stack read from its file; each line one or two points of it
    std::optional<calc::PreparedColumn> column;
    /// --stack --check: the load its packets are judged under, and --fatigue's lines
    calc::Load load = calc::Load::kStatic;
    std::vector<calc::FatigueLine> lines;
};

/// The command line of disc-spring-batch, understood.
struct BatchArguments {
    bool help = false;
    bool design = false;        ///< --design: the files are design files
    std::string select_option;  ///< the last option only --select takes, for the words
    BatchOptions options;
    std::vector<std::string> files;  ///< "-" is standard input; never empty
    /// --fatigue: the user's fatigue lines, for --design or --select --dynamic --life
    std::string fatigue_file;
    /// --stack: the file of a progressive stack, a packet a line
    std::string stack_file;
    /// --static or --dynamic with --design: the load of every design, in place of its own
    std::optional<calc::Load> load;
};

/// Parses the arguments after the program name. An unknown option or an unusable value gives
/// a message, in the language of --lang (Chinese without it), that names the option.
runtime::Expected<BatchArguments, std::string> ParseBatchArguments(
    const std::vector<std::string_view>& args);

/// What became of a design answered.
struct DesignOutcome {
    bool computed = true;       ///< every row and working point computed, the lines were usable
    std::string lines_problem;  ///< why the design's fatigue lines were not used, if they were not
};

/// Appends what disc-spring-batch --design prints for a design: exactly what the window's
/// 复制表格 copies for it (design::CopyText), then "检查", a tab, the codes of its findings
/// (design::FindingCodes) comma-separated, and '\n'; then the record, a line each of its name, a
/// tab and its value (design::RecordPairs).
DesignOutcome AnswerDesign(const design::DesignTexts& texts, std::string& out,
                           rows::Language language = rows::Language::kChinese);

/// What a requirement line of --select came to.
enum class SelectAnswer {
    kFound,        ///< candidates
    kNothingFits,  ///< a requirement searched whole: nothing meets it (a true answer)
    kUnusable,     ///< not a requirement that can be searched
};

/// Answers one requirement line of --select ("bore, rod, s1, F1[, s2, F2]", whole numbers, rod
/// 0 or blank for none) numbered `line`: a row "line, cells" for each of the catalogue's best
/// and each special spring, or one row "line, ERROR, why"; each row led by `lead`.
SelectAnswer AnswerSelectLine(std::string_view text, std::int64_t line,
                              const SelectOptions& options, std::string& out,
                              std::string_view lead = {},
                              rows::Language language = rows::Language::kChinese);

/// Appends the column names (curve and select modes; plain mode has no header line), ended by
/// '\n'.
void AppendBatchHeader(const BatchOptions& options, std::string& out);

/// The longest line answered; a longer one gets an ERROR row that says so, and is held in no
/// more memory than this.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

/// Answers input lines, splitting a byte stream that may arrive in chunks cut anywhere. In
/// plain mode each line gets one row: the result texts, or an ERROR row; with --force the row
/// begins with the deflection found (empty on an ERROR row). In curve mode a line gets N + 1
/// rows, each led by the line's number (counted across streams that share `numbering`). Rows
/// are ended by '\n'. A trailing CR and a leading UTF-8 byte-order mark are ignored.
class BatchStream {
public:
    /// `spill` is called with `out` whenever a curve makes it large, so that memory does not
    /// grow with N; it may empty `out`.
    BatchStream(const BatchOptions& options, std::int64_t& numbering,
                std::function<void(std::string&)> spill = {});

    /// Answers every complete line of `chunk` (together with what earlier chunks left over).
    void Feed(std::string_view chunk, std::string& out);
    /// Answers a last line that had no line end.
    void Finish(std::string& out);
    /// Whether every row answered so far computed (with --select: every line was a requirement
    /// that could be searched).
    bool all_computed() const { return all_computed_; }
    /// With --select: whether a line's requirement, searched whole, found nothing.
    bool nothing_fits() const { return nothing_fits_; }

private:
    void Split(std::string_view chunk, std::string& out);
    void Answer(std::string_view line, std::string& out);
    void AnswerPlain(std::string_view line, std::string& out);
    void AnswerForce(calc::RowInputs inputs, const std::vector<calc::Quantity>& partly,
                     std::string& out);
    void AnswerCurve(std::string_view line, std::string& out);
    void AnswerStackLine(std::string_view line, std::string& out);
    void AnswerTooLong(std::string& out);
    void Hold(std::string_view part);
    /// Begins a row: the line's ID and a tab, with --id.
    void Lead(std::string& out) const;

    BatchOptions options_;
    std::int64_t& numbering_;
    std::function<void(std::string&)> spill_;
    std::string pending_;  // an unfinished line, or bytes that may begin a byte-order mark
    bool bom_checked_ = false;
    bool too_long_ = false;  // the line being held is longer than kMaxLineBytes
    bool all_computed_ = true;
    bool nothing_fits_ = false;
    std::string id_;  // the ID of the line being answered, with --id
};

}  // namespace batch
