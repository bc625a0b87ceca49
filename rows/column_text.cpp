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

std::string Packet(int number) {
    return "第 " + std::to_string(number) + " 组";
}

}  // namespace

void ColumnHeaderCells(const calc::Column& column, bool check, CellSink& out) {
    for (const char* name : {"F(N)", "s(mm)", "L(mm)", "R_stack(N/mm)", "R_stack+(N/mm)", "挡块"}) {
        out.Cell(name);
    }
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
        out.Cell("检查");
    }
}

void ColumnPointCells(const calc::ColumnPoint& point, bool check, CellSink& out) {
    out.Cell(Shown(point.force));
    if (!point.stack) {
        out.Cell("ERROR");
        out.Cell(ErrorCell(point.stack.error()));
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
            out.Cell(ErrorCell(packet.row.results.error()));
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

std::string ColumnProblemText(const calc::ColumnProblem& problem) {
    using Kind = calc::ColumnProblem::Kind;
    const std::string packet = Packet(problem.packet);
    switch (problem.kind) {
        case Kind::kNoPacket:
            return "碟簧组里没有一组碟簧";
        case Kind::kTooMany:
            return "碟簧组最多 " + Shown(problem.limit) + " 组";
        case Kind::kCount:
            return packet + "的片数 " + Shown(problem.value) + " 不在 1 … " + Shown(problem.limit) +
                   " 之内";
        case Kind::kSpring:
            return (problem.packet > 0 ? packet + "：" : std::string()) +
                   (problem.error ? ErrorSentence(*problem.error) : std::string());
        case Kind::kStop:
            return packet + "的挡块 " + Shown(problem.value) + " mm 不在 0 < 挡块 ≤ 压平变形 " +
                   Shown(problem.limit) + " mm 之内";
        case Kind::kNoForce:
            return packet + "在挡块处的力 " + Shown(problem.value) +
                   " N 不为正：这样的碟簧承受不了压力（D 应大于 d）";
        case Kind::kFalls:
            return packet + "的力在挡块 " + Shown(problem.value) +
                   " mm 之前就下降（h0/t 大于 √2），"
                   "与其他组串联会跳变：把挡块设在力的峰值 " +
                   Shown(problem.limit) + " mm 或之前";
    }
    return {};
}

std::string ColumnTextProblemText(const calc::ColumnTextProblem& problem) {
    using Kind = calc::ColumnTextProblem::Kind;
    const std::string line = "第 " + std::to_string(problem.line) + " 行：";
    switch (problem.kind) {
        case Kind::kColumns:
            return line +
                   "应为 5 到 7 个字段：片数 n、D、d、t、H，可选 t′ 和挡块；或片数 "
                   "n、目录中的碟簧（如 A 40）和可选的挡块";
        case Kind::kNotANumber:
            return line + "第 " + std::to_string(problem.field) + " 个字段不是数";
        case Kind::kCount:
            return line + "片数 n 应为 1 到 " + std::to_string(calc::kMaxStackCount) + " 的整数";
        case Kind::kTooMany:
            return line + "碟簧组最多 " + std::to_string(calc::kMaxPackets) + " 组";
        case Kind::kEmpty:
            return "文件里没有一组碟簧";
        case Kind::kNul:
            return "文件含 NUL 字节，不是文本";
        case Kind::kUnknownSpring:
            return line + "DIN 2093 目录中没有这个碟簧（按系列和外径，如 A 40）";
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
                                                  bool flats) {
    std::vector<std::string> out;
    for (const calc::PointFinding& finding : judged.points) {
        out.push_back(Packet(packet) + "，" + PointFindingSentence(finding, flats));
    }
    if (judged.needs_stop) {
        out.push_back(Packet(packet) +
                      "压过 0.75·h0 而没有挡块挡住：加挡块或垫环，或选自由高度较小的碟簧");
    }
    return out;
}

}  // namespace rows
