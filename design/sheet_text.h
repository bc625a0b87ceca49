// A design sheet in words, for every face.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "design/sheet.h"
#include "rows/engineering.h"

namespace design {

// A design sheet in words, for every face: the table's cells, what 复制表格 copies, the
// findings as sentences and as codes, the summary of the working points and the spring's
// description. Numbers are shown as the calculator shows them.

/// A row as a table shows it: its cells, the second of which, for a row without numbers, holds
/// its error (rows::ErrorCell) across `span` columns.
struct TableRow {
    std::vector<std::string> cells;
    int span = 1;
};

/// The table's column names, from f on: the batch tool's header without "弹簧".
std::vector<std::string> HeaderCells(const Sheet& sheet);

/// How many rows the table has (none when the design cannot be computed), and row k of it,
/// every digit.
std::size_t TableRowCount(const Sheet& sheet);
/// How many columns row k's error spans (TableRow::span) without wording the row: 1 when it has
/// numbers.
int TableRowSpan(const Sheet& sheet, std::size_t k);
TableRow TableRowAt(const Sheet& sheet, std::size_t k);

/// A working point's row (point 0 or 1); no cells when it has none. The window's table shows
/// every digit, the data sheet a reader's (rows::Precision).
TableRow PointRow(const Sheet& sheet, int point,
                  rows::Precision precision = rows::Precision::kEvery);

/// The table at 0, ¼, ½, ¾ and 1 of the way to flat, for the data sheet.
std::vector<TableRow> QuarterRows(const Sheet& sheet,
                                  rows::Precision precision = rows::Precision::kEvery);

/// What 复制表格 copies, and disc-spring-batch --design prints: the table exactly as
/// disc-spring-batch --curve N --rate (with the design's options) prints it, header included;
/// then, when a working point has a row, a blank line, "工作点" and the column names, and a line
/// for each such point, led by its number. Empty when the options cannot be used.
std::string CopyText(const Sheet& sheet);

/// Why there is no table to copy (the options cannot be used), or empty.
std::string NoTable(const Sheet& sheet);

/// Why there is no plot to save or print (no point of the curve computes), or empty.
std::string NoPlot(const Sheet& sheet);

/// Why there is no data sheet to write or print: no plot, or dimensions that make no spring
/// (D ≤ d, t ≤ 0, H ≤ t), whose test point and tolerances would mean nothing; or empty.
std::string NoDataSheet(const Sheet& sheet);

/// One verdict of the checks: its code, as disc-spring-batch --design prints it, and its
/// sentence, as every face's 设计检查 and the data sheet say it. `passes`: nothing wrong was
/// found (a fatigue life that holds).
struct Found {
    std::string code, sentence;
    bool passes = false;
};

/// Every verdict, in this order: texts read only in part ("read:KEY", KEY the design file's),
/// options that cannot be used ("options"), the spring's findings (the batch tool's --check
/// codes), those at the working points ("K:CODE", rows::PointFindingCode), a point without a row
/// ("K:ERROR"), a curve with a row without numbers ("ERROR"), fatigue lines that cannot be used
/// ("fatigue:lines") or a dynamic load's fatigue verdict at the point that decides
/// (rows::FatigueCode).
std::vector<Found> Verdicts(const Sheet& sheet);

/// The verdicts' sentences, "尺寸在设计范围内" first when none of them finds anything wrong.
std::vector<std::string> FindingSentences(const Sheet& sheet);

/// The verdicts' codes (none when there is none).
std::vector<std::string> FindingCodes(const Sheet& sheet);

/// The record an engineer signs, as name and value (every digit; empty where it does not
/// apply): the columns of rows::RecordHeader (the clearance the makers recommend at D and d),
/// the length at each working point, L1(mm) and L2(mm), and for a dynamic load σU(MPa) and
/// σO(MPa) at the deciding point. Nothing when the options cannot be used.
std::vector<std::pair<std::string, std::string>> RecordPairs(const Sheet& sheet);

/// What is said below the working points, to a reader's precision: why a given point has no
/// row, σom and its utilisation σom/Rm at each point, the stroke and work from point 1 to 2,
/// what a fatigue check of the cycle between them needs, the force and utilisation at flat.
std::vector<std::string> Summary(const Sheet& sheet);

/// The material: E, μ and Rm, with its name when it is a listed one.
std::string MaterialLine(const calc::Material& material, Language language = Language::kChinese);

/// The spring, its material with Rm, the stack, friction and contact flats, a line each.
std::vector<std::string> SpringLines(const Sheet& sheet);

/// How the single spring is tested, to a reader's precision: its group, the test length and force
/// with the force's tolerance, σom and σom/Rm there, the tolerances of t (t′) and H, by EN 16983
/// / DIN 2093; the length flat and the clearance makers recommend to a guide.
std::vector<std::string> TestLines(const Sheet& sheet);

/// A progressive stack's packets as the data sheet tabulates them: the column names, and a row
/// a packet with its stop and the force at which it reaches it; none without packets.
std::vector<std::string> PacketHeader(const Sheet& sheet);
std::vector<TableRow> PacketRows(const Sheet& sheet);

/// The spring in one line, for the caption of a picture: SpringLines joined by "；".
std::string Caption(const Sheet& sheet);

}  // namespace design
