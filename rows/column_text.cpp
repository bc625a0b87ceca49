// A progressive stack's table and problems in words.
#include "rows/column_text.h"

#include "rows/fatigue_text.h"
#include "rows/findings_text.h"
#include "rows/row_text.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

std::string Packet(int number, Language language) {
    return Say(language, P("packet-numbered", "第 {k} 组"), {{"k", std::to_string(number)}});
}

}  // namespace

void ColumnHeaderCells(const calc::Column& column, bool check, CellSink& out, Language language) {
    for (const char* name : {"F(N)", "s(mm)", "L(mm)", "R_stack(N/mm)", "R_stack+(N/mm)"}) {
        out.Cell(name);
    }
    out.Cell(Say(language, P("column-stop", "挡块")));
    for (std::size_t k = 1; k <= column.packets.size(); ++k) {
        const std::string at = "[" + std::to_string(k) + "]";
        out.Cell("f" + at + "(mm)");
        out.Cell("F" + at + "(N)");
        for (const char* stress : {"σom", "σ1", "σ2", "σ3"}) {
            out.Cell(stress + at + "(MPa)");
        }
        if (column.outer_edge) {
            out.Cell("σIV" + at + "(MPa)");
        }
    }
    if (check) {
        out.Cell(Say(language, P("column-check", "检查")));
    }
}

void ColumnPointCells(const calc::ColumnPoint& point, bool check, CellSink& out,
                      Language language) {
    out.Cell(Shown(point.force));
    if (!point.stack) {
        out.Cell("ERROR");
        out.Cell(ErrorCell(point.stack.error(), language));
        return;
    }
    out.Cell(Shown(point.stack->s));
    out.Cell(Shown(point.stack->L));
    out.Cell(point.rate ? Shown(*point.rate) : "");
    out.Cell(point.rate_after ? Shown(*point.rate_after) : "");
    std::string stops;
    for (std::size_t k = 0; k < point.packets.size(); ++k) {
        if (point.packets[k].at_stop) {
            stops += (stops.empty() ? "" : ",") + std::to_string(k + 1);
        }
    }
    out.Cell(stops);
    std::string codes;
    for (std::size_t k = 0; k < point.packets.size(); ++k) {
        const calc::PacketAt& packet = point.packets[k];
        out.Cell(Shown(packet.f));
        if (!packet.row.results) {  // its travel was found, its row not: say why in its place
            out.Cell(ErrorCell(packet.row.results.error(), language));
            continue;
        }
        const calc::SpringResults& r = packet.row.results->spring;
        for (const double value : {r.F, r.sigma_om, r.sigma1, r.sigma2, r.sigma3}) {
            out.Cell(Shown(value));
        }
        if (packet.row.results->sigma4) {
            out.Cell(Shown(*packet.row.results->sigma4));
        }
        std::string found;
        if (packet.row.findings) {
            AppendFindingCodes(*packet.row.findings, found);
        }
        if (!found.empty()) {
            codes += (codes.empty() ? "[" : ";[") + std::to_string(k + 1) + "]" + found;
        }
    }
    if (check) {
        out.Cell(codes);
    }
}

std::string ColumnProblemText(const calc::ColumnProblem& problem, Language language) {
    using Kind = calc::ColumnProblem::Kind;
    const std::string packet = Packet(problem.packet, language);
    switch (problem.kind) {
        case Kind::kNoPacket:
            return Say(language, P("column-no-packet", "碟簧组里没有一组碟簧"));
        case Kind::kTooMany:
            return Say(language, P("column-too-many", "碟簧组最多 {most} 组"),
                       {{"most", Shown(problem.limit)}});
        case Kind::kCount:
            return Say(
                language, P("column-count", "{packet}的片数 {n} 不在 1 … {most} 之内"),
                {{"packet", packet}, {"n", Shown(problem.value)}, {"most", Shown(problem.limit)}});
        case Kind::kSpring: {
            const std::string why = problem.error
                                        ? ErrorSentence(*problem.error, Precision::kEvery, language)
                                        : std::string();
            return problem.packet > 0 ? Say(language, P("column-packet-why", "{packet}：{why}"),
                                            {{"packet", packet}, {"why", why}})
                                      : why;
        }
        case Kind::kStop:
            return Say(language,
                       P("column-stop-range",
                         "{packet}的挡块 {stop} mm 不在 0 < 挡块 ≤ 压平变形 {flat} mm 之内"),
                       {{"packet", packet},
                        {"stop", Shown(problem.value)},
                        {"flat", Shown(problem.limit)}});
        case Kind::kNoForce:
            return Say(language,
                       P("column-no-force",
                         "{packet}在挡块处的力 {F} N 不为正：这样的碟簧承受不了压力"
                         "（D 应大于 d）"),
                       {{"packet", packet}, {"F", Shown(problem.value)}});
        case Kind::kFalls:
            return Say(language,
                       P("column-falls",
                         "{packet}的力在挡块 {stop} mm 之前就下降（h0/t 大于 √2），与其他"
                         "组串联会跳变：把挡块设在力的峰值 {peak} mm 或之前"),
                       {{"packet", packet},
                        {"stop", Shown(problem.value)},
                        {"peak", Shown(problem.limit)}});
    }
    return {};
}

std::string ColumnTextProblemText(const calc::ColumnTextProblem& problem, Language language) {
    using Kind = calc::ColumnTextProblem::Kind;
    const std::string line = std::to_string(problem.line);
    const auto at = [&](const Phrase& phrase, Values values = {}) {
        return Say(language, P("catalogue-line-at", "第 {line} 行：{why}"),
                   {{"line", line}, {"why", Say(language, phrase, values)}});
    };
    switch (problem.kind) {
        case Kind::kColumns:
            return at(P("stack-line-columns",
                        "应为 5 到 7 个字段：片数 n、D、d、t、H，可选 t′ 和挡块；"
                        "或片数 n、目录中的碟簧（如 A 40）和可选的挡块"));
        case Kind::kNotANumber:
            return at(P("stack-line-not-a-number", "第 {field} 个字段不是数"),
                      {{"field", std::to_string(problem.field)}});
        case Kind::kCount:
            return at(P("stack-line-count", "片数 n 应为 1 到 {most} 的整数"),
                      {{"most", std::to_string(calc::kMaxStackCount)}});
        case Kind::kTooMany:
            return at(P("column-too-many", "碟簧组最多 {most} 组"),
                      {{"most", std::to_string(calc::kMaxPackets)}});
        case Kind::kEmpty:
            return Say(language, P("stack-file-empty", "文件里没有一组碟簧"));
        case Kind::kNul:
            return Say(language, P("stack-file-nul", "文件含 NUL 字节，不是文本"));
        case Kind::kUnknownSpring:
            return at(P("stack-line-unknown-spring",
                        "DIN 2093 目录中没有这个碟簧（按系列和外径，如 A 40）"));
    }
    return {};
}

std::vector<std::string> PacketCodes(const calc::PacketJudgement& judged) {
    std::vector<std::string> codes;
    for (const calc::PointFinding& finding : judged.points) {
        codes.push_back(PointFindingCode(finding));
    }
    if (judged.needs_stop) {
        codes.emplace_back("stop");
    }
    if (judged.cycle && judged.cycle->Judgement()) {
        codes.push_back(FatigueCode(*judged.cycle->Judgement()));
    }
    return codes;
}

std::string PacketJudgementCodes(const std::vector<calc::PacketJudgement>& judged) {
    std::string out;
    for (std::size_t k = 0; k < judged.size(); ++k) {
        const std::vector<std::string> codes = PacketCodes(judged[k]);
        if (codes.empty()) {
            continue;
        }
        out += (out.empty() ? "[" : ";[") + std::to_string(k + 1) + "]";
        for (std::size_t c = 0; c < codes.size(); ++c) {
            out += (c == 0 ? "" : ",") + codes[c];
        }
    }
    return out;
}

std::vector<std::string> PacketJudgementSentences(int packet, const calc::PacketJudgement& judged,
                                                  bool flats, Language language) {
    std::vector<std::string> out;
    const std::string named = Packet(packet, language);
    for (const calc::PointFinding& finding : judged.points) {
        out.push_back(
            Say(language, P("packet-finding", "{packet}，{finding}"),
                {{"packet", named}, {"finding", PointFindingSentence(finding, flats, language)}}));
    }
    if (judged.needs_stop) {
        out.push_back(Say(language,
                          P("packet-needs-stop",
                            "{packet}压过 0.75·h0 而没有挡块挡住：加挡块或垫环，"
                            "或选自由高度较小的碟簧"),
                          {{"packet", named}}));
    }
    return out;
}

}  // namespace rows
