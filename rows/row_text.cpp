// A row's cells and its error in words.
#include "rows/row_text.h"

#include "rows/engineering.h"
#include "rows/findings_text.h"
#include "runtime/fault.h"
#include "runtime/fault_report.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

// A number in a cell: every digit, as the calculator shows it, or a reader's.
class Numbers {
public:
    Numbers(CellSink& out, Precision precision) : out_(out), precision_(precision) {}
    void Put(double value, Measure measure = Measure::kOther) {
        if (precision_ == Precision::kEvery) {
            out_.Cell(runtime::NumberToText(value).view());
        } else {
            out_.Cell(Engineering(value, measure));
        }
    }

private:
    CellSink& out_;
    Precision precision_;
};

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

void ResultCells(const calc::RowResults& row, Numbers& out) {
    const calc::SpringResults& r = row.spring;
    for (const double value : {r.F, r.sigma_om, r.sigma1, r.sigma2, r.sigma3}) {
        out.Put(value);
    }
    if (row.sigma4) {
        out.Put(*row.sigma4);
    }
    if (row.rate) {
        out.Put(*row.rate);
    }
    if (row.stack) {
        out.Put(row.stack->s, Measure::kLength);
        out.Put(row.stack->F_stack);
        out.Put(row.stack->L, Measure::kLength);
    }
    if (row.stack_rate) {
        out.Put(*row.stack_rate);
    }
    if (row.friction) {
        out.Put(row.friction->F_load);
        out.Put(row.friction->F_unload);
    }
}

// A fault's text: the calculator's own in Chinese.
std::string_view FaultWords(runtime::FaultKind kind, Language language) {
    if (language == Language::kChinese) {
        return runtime::FaultText(kind);
    }
    switch (kind) {
        case runtime::FaultKind::kDivisionByZero:
            return Said(P("fault-division-by-zero", "除数为零"), language);
        case runtime::FaultKind::kOverflow:
            return Said(P("fault-overflow", "溢出"), language);
        case runtime::FaultKind::kInvalidArgument:
            break;
    }
    return Said(P("fault-invalid-argument", "无效的过程调用或参数"), language);
}

void ErrorCells(const calc::RowError& error, CellSink& out, Language language) {
    out.Cell("ERROR");
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        out.Cell({});
        out.Cell(RefusalText(*refusal, Precision::kEvery, language));
        return;
    }
    const calc::SpringFault& fault = std::get<calc::SpringFault>(error);
    out.Cell(std::to_string(runtime::FaultNumber(fault.fault.kind)));
    out.Cell(FaultWords(fault.fault.kind, language));
    out.Cell(calc::QuantitySymbol(fault.quantity));
}

}  // namespace

void RowCells(const calc::Row& row, const calc::RowOptions& options, CellSink& out,
              Precision precision, Language language) {
    if (row.results) {
        Numbers numbers(out, precision);
        ResultCells(*row.results, numbers);
    } else {
        ErrorCells(row.results.error(), out, language);
    }
    if (options.check) {
        std::string codes;
        for (const calc::Quantity quantity : row.partly_read) {
            if (!codes.empty()) {
                codes += ',';
            }
            codes += ReadCode(quantity, row.force_read);
        }
        if (row.findings) {
            std::string found;
            AppendFindingCodes(*row.findings, found);
            if (!codes.empty() && !found.empty()) {
                codes += ',';
            }
            codes += found;
        }
        out.Cell(codes);
    }
}

void AppendRowFields(const calc::Row& row, const calc::RowOptions& options, std::string& out,
                     Language language) {
    TabJoined joined(out);
    RowCells(row, options, joined, Precision::kEvery, language);
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
    return 5 + (options.rate ? 1 : 0) + (options.stack ? 3 : 0) +
           (options.rate && options.stack ? 1 : 0) + (options.friction ? 2 : 0);
}

std::string ErrorCell(const calc::RowError& error, Language language) {
    CellList cells;
    ErrorCells(error, cells, language);
    std::string cell;
    for (const std::string& text : cells.cells) {
        if (!text.empty()) {
            cell += cell.empty() ? "" : " ";
            cell += text;
        }
    }
    return cell;
}

std::string ErrorSentence(const calc::RowError& error, Precision precision, Language language) {
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        return RefusalText(*refusal, precision, language);
    }
    const auto& fault = std::get<calc::SpringFault>(error);
    const std::string_view where = calc::QuantitySymbol(fault.quantity);
    const std::string report =
        language == Language::kChinese
            ? runtime::FaultReport(fault.fault, where)
            : Say(language,
                  fault.fault.source == runtime::FaultSource::kConversion
                      ? P("fault-report-reading",
                          "实时错误 '{number}':\n\n{fault}\n\n在读取 {where} 的数值时停止。")
                      : P("fault-report-computing",
                          "实时错误 '{number}':\n\n{fault}\n\n在计算 {where} 时停止。"),
                  {{"number", std::to_string(runtime::FaultNumber(fault.fault.kind))},
                   {"fault", FaultWords(fault.fault.kind, language)},
                   {"where", where}});
    std::string sentence;  // the report's blank lines become spaces
    for (std::size_t at = 0; at < report.size();) {
        const bool gap = report.compare(at, 2, "\n\n") == 0;
        sentence += gap ? ' ' : report[at];
        at += gap ? 2 : 1;
    }
    return sentence;
}

std::string RefusalText(const calc::Refusal& refusal, Precision precision, Language language) {
    // Never the same text for the value asked and the most there is: that would read as reached.
    std::string asked = precision == Precision::kEvery
                            ? Shown(refusal.value)
                            : Engineering(refusal.value, Measure::kOther);
    std::string most = precision == Precision::kEvery ? Shown(refusal.limit)
                                                      : Engineering(refusal.limit, Measure::kOther);
    if (asked == most) {
        asked = Shown(refusal.value);
        most = Shown(refusal.limit);
    }
    const std::string value = Shown(refusal.value), limit = Shown(refusal.limit);
    const Values values = {{"value", value}, {"limit", limit}, {"asked", asked}, {"most", most}};
    switch (refusal.kind) {
        case calc::Refusal::Kind::kReducedThickness:
            return Say(language,
                       P("refusal-reduced-thickness",
                         "减薄后的厚度 t′ = {value} mm 不在 0 < t′ ≤ t = {limit} mm 之内"),
                       values);
        case calc::Refusal::Kind::kNegativeForce:
            return Say(language, P("refusal-negative-force", "力 {value} N 为负：碟簧只能受压"),
                       values);
        case calc::Refusal::Kind::kBeyondReach:
            return Say(language,
                       P("refusal-beyond-reach", "力 {asked} N 超过压平前最多能达到的 {most} N"),
                       values);
        case calc::Refusal::Kind::kNoConeHeight:
            return Say(language,
                       P("refusal-no-cone-height", "自由高度不大于厚度，没有锥高：碟簧承受不了力"));
        case calc::Refusal::Kind::kNegativeTravel:
            return Say(language,
                       P("refusal-negative-travel", "行程 {value} mm 为负：碟簧组只能受压"),
                       values);
        case calc::Refusal::Kind::kBeyondTravel:
            return Say(language,
                       P("refusal-beyond-travel", "行程 {asked} mm 超过各组都到挡块时的 {most} mm"),
                       values);
        case calc::Refusal::Kind::kBeyondStops:
            return Say(language,
                       P("refusal-beyond-stops", "力 {asked} N 超过最后一组到挡块时的 {most} N"),
                       values);
    }
    return {};
}

}  // namespace rows
