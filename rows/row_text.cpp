#include "rows/row_text.h"

#include "rows/findings_text.h"
#include "runtime/fault.h"
#include "runtime/fault_report.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

void Number(double value, CellSink& out) {
    out.Cell(runtime::NumberToText(value).view());
}

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

void ResultCells(const calc::RowResults& row, CellSink& out) {
    const calc::SpringResults& r = row.spring;
    for (const double value : {r.F, r.sigma_om, r.sigma1, r.sigma2, r.sigma3}) {
        Number(value, out);
    }
    if (row.rate) {
        Number(*row.rate, out);
    }
    if (row.stack) {
        for (const double value : {row.stack->s, row.stack->F_stack, row.stack->L}) {
            Number(value, out);
        }
    }
    if (row.friction) {
        for (const double value : {row.friction->F_load, row.friction->F_unload}) {
            Number(value, out);
        }
    }
}

void ErrorCells(const calc::RowError& error, CellSink& out) {
    out.Cell("ERROR");
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        out.Cell({});
        out.Cell(RefusalText(*refusal));
        return;
    }
    const calc::SpringFault& fault = std::get<calc::SpringFault>(error);
    out.Cell(std::to_string(runtime::FaultNumber(fault.fault.kind)));
    out.Cell(runtime::FaultText(fault.fault.kind));
    out.Cell(calc::QuantitySymbol(fault.quantity));
}

}  // namespace

void RowCells(const calc::Row& row, const calc::RowOptions& options, CellSink& out) {
    if (row.results) {
        ResultCells(*row.results, out);
    } else {
        ErrorCells(row.results.error(), out);
    }
    if (options.check) {
        std::string codes;
        if (row.findings) {
            AppendFindingCodes(*row.findings, codes);
        }
        out.Cell(codes);
    }
}

void AppendRowFields(const calc::Row& row, const calc::RowOptions& options, std::string& out) {
    TabJoined joined(out);
    RowCells(row, options, joined);
}

void UnreadableCells(std::string_view message, const calc::RowOptions& options, CellSink& out) {
    out.Cell("ERROR");
    out.Cell({});
    out.Cell(message);
    if (options.check) {
        out.Cell({});
    }
}

int NumberCount(const calc::RowOptions& options) {
    return 5 + (options.rate ? 1 : 0) + (options.stack ? 3 : 0) + (options.friction ? 2 : 0);
}

std::string ErrorCell(const calc::RowError& error) {
    CellList cells;
    ErrorCells(error, cells);
    std::string cell;
    for (const std::string& text : cells.cells) {
        if (!text.empty()) {
            cell += cell.empty() ? "" : " ";
            cell += text;
        }
    }
    return cell;
}

std::string ErrorSentence(const calc::RowError& error) {
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        return RefusalText(*refusal);
    }
    const auto& fault = std::get<calc::SpringFault>(error);
    const std::string report =
        runtime::FaultReport(fault.fault, calc::QuantitySymbol(fault.quantity));
    std::string sentence;  // the report's blank lines become spaces
    for (std::size_t at = 0; at < report.size();) {
        const bool gap = report.compare(at, 2, "\n\n") == 0;
        sentence += gap ? ' ' : report[at];
        at += gap ? 2 : 1;
    }
    return sentence;
}

std::string RefusalText(const calc::Refusal& refusal) {
    switch (refusal.kind) {
        case calc::Refusal::Kind::kReducedThickness:
            return "减薄后的厚度 t′ = " + Shown(refusal.value) +
                   " mm 不在 0 < t′ ≤ t = " + Shown(refusal.limit) + " mm 之内";
        case calc::Refusal::Kind::kNegativeForce:
            return "力 " + Shown(refusal.value) + " N 为负：碟簧只能受压";
        case calc::Refusal::Kind::kBeyondReach:
            return "力 " + Shown(refusal.value) + " N 超过压平前最多能达到的 " +
                   Shown(refusal.limit) + " N";
        case calc::Refusal::Kind::kNoConeHeight:
            return "自由高度不大于厚度，没有锥高：碟簧承受不了力";
    }
    return {};
}

}  // namespace rows
