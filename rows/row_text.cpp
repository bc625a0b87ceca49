#include "rows/row_text.h"

#include "rows/findings_text.h"
#include "runtime/fault.h"
#include "runtime/fault_report.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

void AppendNumber(double value, std::string& out) {
    out += runtime::NumberToText(value).view();
}

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

void AppendResults(const calc::RowResults& row, std::string& out) {
    const calc::SpringResults& r = row.spring;
    for (const double value : {r.F, r.sigma_om, r.sigma1, r.sigma2}) {
        AppendNumber(value, out);
        out += '\t';
    }
    AppendNumber(r.sigma3, out);
    if (row.rate) {
        out += '\t';
        AppendNumber(*row.rate, out);
    }
    if (row.stack) {
        for (const double value : {row.stack->s, row.stack->F_stack, row.stack->L}) {
            out += '\t';
            AppendNumber(value, out);
        }
    }
    if (row.friction) {
        for (const double value : {row.friction->F_load, row.friction->F_unload}) {
            out += '\t';
            AppendNumber(value, out);
        }
    }
}

void AppendError(const calc::RowError& error, std::string& out) {
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        out += "ERROR\t\t";
        out += RefusalText(*refusal);
        return;
    }
    const calc::SpringFault& fault = std::get<calc::SpringFault>(error);
    out += "ERROR\t";
    out += std::to_string(runtime::FaultNumber(fault.fault.kind));
    out += '\t';
    out += runtime::FaultText(fault.fault.kind);
    out += '\t';
    out += calc::QuantitySymbol(fault.quantity);
}

}  // namespace

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

void AppendRowFields(const calc::Row& row, const calc::RowOptions& options, std::string& out) {
    if (row.results) {
        AppendResults(*row.results, out);
    } else {
        AppendError(row.results.error(), out);
    }
    if (options.check) {
        out += '\t';
        if (row.findings) {
            AppendFindingCodes(*row.findings, out);
        }
    }
}

void AppendUnreadableRow(std::string_view message, const calc::RowOptions& options,
                         std::string& out) {
    out += "ERROR\t\t";
    out += message;
    if (options.check) {
        out += '\t';
    }
}

}  // namespace rows
