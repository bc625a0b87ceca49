// Reading a design's packets.
#include "design/packets.h"

#include "calc/catalogue.h"
#include "calc/stack.h"
#include "calc/tsv_lines.h"
#include "runtime/text_number.h"

namespace design {

namespace {

using Kind = PacketProblem::Kind;

// The spring named ("B 40", "B40") or typed (D d t H [t′]) into `packet`.
std::optional<Kind> ReadSpring(std::string_view text, calc::Packet& packet) {
    const std::vector<std::string_view> words = calc::BlankSeparated(text);
    if (!words.empty() && words[0].find_first_of("ABC") == 0) {
        std::string_view diameter = words[0].substr(1);
        if (diameter.empty() && words.size() == 2) {
            diameter = words[1];
        } else if (words.size() != 1) {
            return Kind::kSpring;
        }
        const auto D = runtime::ReadPlainNumber(diameter);
        if (!D) {
            return Kind::kSpring;
        }
        const calc::CatalogueSpring* found = calc::FindCatalogueSpring(words[0].substr(0, 1), *D);
        if (found == nullptr) {
            return Kind::kUnknownSpring;
        }
        packet.spring = found->spring;
        packet.flats = found->flats;
        return std::nullopt;
    }
    if (words.size() != 4 && words.size() != 5) {
        return Kind::kSpring;
    }
    double values[5] = {};
    for (std::size_t k = 0; k < words.size(); ++k) {
        const auto value = runtime::ReadPlainNumber(words[k]);
        if (!value) {
            return Kind::kSpring;
        }
        values[k] = *value;
    }
    packet.spring.spring = {values[0], values[1], values[2], values[3], 0};
    packet.flats = words.size() == 5;
    packet.spring.t_reduced = values[4];
    return std::nullopt;
}

}  // namespace

runtime::Expected<calc::Column, PacketProblem> ReadPackets(const std::vector<PacketText>& packets,
                                                           const calc::Material& material) {
    calc::Column column{{}, material};
    for (std::size_t k = 0; k < packets.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        if (number > calc::kMaxPackets) {
            return PacketProblem{Kind::kTooMany, number};
        }
        const PacketText& text = packets[k];
        calc::Packet packet;
        if (!runtime::IsBlank(text.count)) {
            const auto count = runtime::ReadPlainNumber(text.count);
            if (!count || !(*count >= 1 && *count <= calc::kMaxStackCount) ||
                *count != static_cast<int>(*count)) {
                return PacketProblem{Kind::kCount, number};
            }
            packet.count = static_cast<int>(*count);
        }
        if (const auto problem = ReadSpring(text.spring, packet)) {
            return PacketProblem{*problem, number};
        }
        if (!runtime::IsBlank(text.stop)) {
            const auto stop = runtime::ReadPlainNumber(text.stop);
            if (!stop) {
                return PacketProblem{Kind::kStop, number};
            }
            packet.stop = *stop;
        }
        column.packets.push_back(packet);
    }
    return column;
}

std::string PacketProblemText(const PacketProblem& problem, Language language) {
    const std::string packet = rows::Say(language, P("packet-numbered", "第 {k} 组"),
                                         {{"k", std::to_string(problem.packet)}});
    switch (problem.kind) {
        case Kind::kTooMany:
            return rows::Say(language, P("packets-too-many", "碟簧组表最多 {most} 组"),
                             {{"most", std::to_string(calc::kMaxPackets)}});
        case Kind::kCount:
            return rows::Say(language,
                             P("packet-count-wrong", "{packet}的片数 n 应为 1 到 {most} 的整数"),
                             {{"packet", packet}, {"most", std::to_string(calc::kMaxStackCount)}});
        case Kind::kSpring:
            return rows::Say(language,
                             P("packet-spring-wrong",
                               "{packet}的碟簧应为 DIN 2093 的名称（如 B 40）或 D d t H [t′]"),
                             {{"packet", packet}});
        case Kind::kUnknownSpring:
            return rows::Say(language,
                             P("packet-spring-unknown", "{packet}的碟簧不在 DIN 2093 的表中"),
                             {{"packet", packet}});
        case Kind::kStop:
            return rows::Say(language, P("packet-stop-wrong", "{packet}的挡块应为一个数"),
                             {{"packet", packet}});
        case Kind::kFriction:
            return rows::Say(language,
                             P("packets-friction", "各组不同的碟簧组不计摩擦：请把 w_M、w_R 空白"));
    }
    return {};
}

}  // namespace design
