// Writing and reading design files.
#include "design/design_file.h"
#include "design/design_view.h"

#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace design {
namespace {

using rows::P;

using Json = nlohmann::json;

using Kind = DesignFileProblem::Kind;
using Wanted = DesignFileProblem::Wanted;

constexpr std::string_view kFormat = "disc-spring-design";
constexpr int kMaxDepth = 64;

// A key as a message quotes it: a stranger's text, so one line, cut, nothing hidden.
std::string Quoted(std::string_view key) {
    return '"' + runtime::QuotedText(key) + '"';
}

// A first pass over the document that refuses what the library would take silently: a key
// repeated in one object (it keeps the last), and nesting deep enough to cost more than a
// design ever needs. It also finds where the text stops being JSON.
class Scan final : public nlohmann::json_sax<Json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override {
        keys_.emplace_back();
        return Deeper();
    }
    bool key(string_t& key) override {
        if (!keys_.back().insert(key).second) {
            problem_ = {Kind::kRepeatedKey, key};
            return false;
        }
        return true;
    }
    bool end_object() override {
        keys_.pop_back();
        return true;
    }
    bool start_array(std::size_t) override {
        keys_.emplace_back();
        return Deeper();
    }
    bool end_array() override {
        keys_.pop_back();
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception&) override {
        problem_ = {Kind::kNotJson, {}, position};
        return false;
    }

    const DesignFileProblem& problem() const { return problem_; }

private:
    bool Deeper() {
        if (keys_.size() > kMaxDepth) {
            problem_ = {Kind::kTooDeep};
            return false;
        }
        return true;
    }

    std::vector<std::set<std::string>> keys_;
    DesignFileProblem problem_{Kind::kNotJson};
};

DesignFileProblem WrongKind(std::string_view key, Wanted wanted) {
    return {Kind::kWrongKind, std::string(key), 0, wanted};
}

DesignFileProblem Missing(std::string_view key) {
    return {Kind::kMissing, std::string(key)};
}

// A true/false value at `key` of `object` into `into`; the problem names it as `name`.
std::optional<DesignFileProblem> ReadBoolean(const Json& object, const char* key,
                                             const std::string& name, bool& into) {
    const auto value = object.find(key);
    if (value == object.end()) {
        return Missing(name);
    }
    if (!value->is_boolean()) {
        return WrongKind(name, Wanted::kBoolean);
    }
    into = value->get<bool>();
    return std::nullopt;
}

// The first key of an object that `known` does not name, as a refusal.
template <typename Known>
std::optional<DesignFileProblem> UnknownKey(const Json& object, std::string_view where,
                                            const Known& known) {
    for (const auto& [key, value] : object.items()) {
        if (!known(key)) {
            return DesignFileProblem{Kind::kUnknownKey, std::string(where) + key};
        }
    }
    return std::nullopt;
}

runtime::Expected<PointText, DesignFileProblem> ReadPoint(const Json& point, std::size_t k) {
    const std::string name = "points[" + std::to_string(k) + "]";
    if (!point.is_object()) {
        return WrongKind(name, Wanted::kPoint);
    }
    if (auto unknown =
            UnknownKey(point, name + ".",
                       [](const std::string& key) { return key == "by" || key == "value"; });
        unknown) {
        return *unknown;
    }
    const auto by = point.find("by");
    const auto value = point.find("value");
    if (by == point.end() || value == point.end()) {
        return Missing(name + (by == point.end() ? ".by" : ".value"));
    }
    if (!by->is_string() || (*by != "f" && *by != "F")) {
        return WrongKind(name + ".by", Wanted::kPointBy);
    }
    if (!value->is_string()) {
        return WrongKind(name + ".value", Wanted::kText);
    }
    return PointText{*by == "F" ? PointBy::kForce : PointBy::kDeflection,
                     value->get_ref<const std::string&>()};
}

runtime::Expected<std::vector<PacketText>, DesignFileProblem> ReadPackets(const Json& inputs) {
    const auto packets = inputs.find("packets");
    if (packets == inputs.end()) {
        return Missing("packets");
    }
    if (!packets->is_array()) {  // of any length: what a column may hold the sheet says
        return WrongKind("packets", Wanted::kPackets);
    }
    std::vector<PacketText> read;
    for (std::size_t k = 0; k < packets->size(); ++k) {
        const Json& packet = (*packets)[k];
        const std::string name = "packets[" + std::to_string(k) + "]";
        if (!packet.is_object()) {
            return WrongKind(name, Wanted::kPacket);
        }
        const auto known = [](const std::string& key) {
            for (const PacketField& field : kPacketFields) {
                if (key == field.key) {
                    return true;
                }
            }
            return false;
        };
        if (auto unknown = UnknownKey(packet, name + ".", known)) {
            return *unknown;
        }
        PacketText& text = read.emplace_back();
        for (const PacketField& field : kPacketFields) {
            const auto value = packet.find(std::string(field.key));
            if (value == packet.end()) {
                return Missing(name + "." + std::string(field.key));
            }
            if (!value->is_string()) {
                return WrongKind(name + "." + std::string(field.key), Wanted::kText);
            }
            text.*field.text = value->get_ref<const std::string&>();
        }
    }
    return read;
}

runtime::Expected<DesignTexts, DesignFileProblem> ReadInputs(const Json& inputs, int version) {
    DesignTexts texts;
    const auto known = [version](const std::string& key) {
        for (const InputField& input : kInputs) {
            if (key == input.key && input.since <= version) {
                return true;
            }
        }
        return key == "points" || (key == "load" && version >= 5) ||
               (key == "outer_edge" && version >= 6) || (key == "packets" && version >= 7);
    };
    if (auto unknown = UnknownKey(inputs, "inputs.", known); unknown) {
        return *unknown;
    }
    for (const InputField& input : kInputs) {
        if (input.since > version) {
            continue;  // blank, as a file from before the input existed means
        }
        const auto value = inputs.find(std::string(input.key));
        if (value == inputs.end()) {
            return Missing(input.key);
        }
        if (!value->is_string()) {
            return WrongKind(input.key, Wanted::kText);
        }
        texts.*input.text = value->get_ref<const std::string&>();
    }
    const auto points = inputs.find("points");
    if (points == inputs.end()) {
        return Missing("points");
    }
    if (!points->is_array() || points->size() > texts.points.size()) {
        return WrongKind("points", Wanted::kPoints);
    }
    for (std::size_t k = 0; k < points->size(); ++k) {
        auto point = ReadPoint((*points)[k], k);
        if (!point) {
            return point.error();
        }
        texts.points[k] = std::move(*point);
    }
    if (version < 5) {
        // Judged then as a cycle whenever both points were given.
        const bool two =
            !runtime::IsBlank(texts.points[0].value) && !runtime::IsBlank(texts.points[1].value);
        texts.load = two ? calc::Load::kDynamic : calc::Load::kStatic;
        return texts;
    }
    const auto load = inputs.find("load");
    if (load == inputs.end()) {
        return Missing("load");
    }
    const LoadChoice* choice = nullptr;
    for (const LoadChoice& known_load : kLoads) {
        if (load->is_string() && *load == known_load.key) {
            choice = &known_load;
        }
    }
    if (!choice) {
        return WrongKind("load", Wanted::kLoad);
    }
    texts.load = choice->load;
    if (version < 6) {
        return texts;
    }
    if (auto problem = ReadBoolean(inputs, "outer_edge", "outer_edge", texts.outer_edge)) {
        return *problem;
    }
    if (version < 7) {
        return texts;  // the spring above alone, i × n: like packets
    }
    auto packets = ReadPackets(inputs);
    if (!packets) {
        return packets.error();
    }
    texts.packets = std::move(*packets);
    return texts;
}

runtime::Expected<RequirementPointText, DesignFileProblem> ReadRequirementPoint(const Json& point,
                                                                                std::size_t k) {
    const std::string name = "requirement.points[" + std::to_string(k) + "]";
    if (!point.is_object()) {
        return WrongKind(name, Wanted::kRequirementPoint);
    }
    if (auto unknown = UnknownKey(point, name + ".",
                                  [](const std::string& key) {
                                      return key == "given" || key == "s" || key == "F" ||
                                             key == "tolerance";
                                  });
        unknown) {
        return *unknown;
    }
    RequirementPointText text;
    for (const char* key : {"given", "s", "F", "tolerance"}) {
        const auto value = point.find(key);
        if (value == point.end()) {
            return Missing(name + "." + key);
        }
        if (!value->is_string()) {
            return WrongKind(name + "." + key, Wanted::kText);
        }
    }
    const std::string& given = point["given"].get_ref<const std::string&>();
    if (given != "s" && given != "F") {
        return WrongKind(name + ".given", Wanted::kGiven);
    }
    text.force_given = given == "F";
    text.s = point["s"].get_ref<const std::string&>();
    text.F = point["F"].get_ref<const std::string&>();
    text.tolerance = point["tolerance"].get_ref<const std::string&>();
    return text;
}

runtime::Expected<RequirementTexts, DesignFileProblem> ReadRequirement(const Json& requirement,
                                                                       int version) {
    if (!requirement.is_object()) {
        return WrongKind("requirement", Wanted::kObject);
    }
    const auto known = [version](const std::string& key) {
        for (const RequirementField& input : kRequirementInputs) {
            if (key == input.key && input.since <= version) {
                return true;
            }
        }
        return key == "points" || key == "dynamic" || (key == "long_stacks" && version >= 5);
    };
    if (auto unknown = UnknownKey(requirement, "requirement.", known); unknown) {
        return *unknown;
    }
    RequirementTexts texts;
    for (const RequirementField& input : kRequirementInputs) {
        if (input.since > version) {
            continue;  // blank, as a file from before the input existed means
        }
        const auto value = requirement.find(std::string(input.key));
        if (value == requirement.end()) {
            return Missing("requirement." + std::string(input.key));
        }
        if (!value->is_string()) {
            return WrongKind("requirement." + std::string(input.key), Wanted::kText);
        }
        texts.*input.text = value->get_ref<const std::string&>();
    }
    if (auto problem = ReadBoolean(requirement, "dynamic", "requirement.dynamic", texts.dynamic)) {
        return *problem;
    }
    if (version >= 5) {
        if (auto problem = ReadBoolean(requirement, "long_stacks", "requirement.long_stacks",
                                       texts.long_stacks)) {
            return *problem;
        }
    }
    const auto points = requirement.find("points");
    if (points == requirement.end()) {
        return Missing("requirement.points");
    }
    if (!points->is_array() || points->size() > texts.points.size()) {
        return WrongKind("requirement.points", Wanted::kRequirementPoints);
    }
    texts.points = {};
    for (std::size_t k = 0; k < points->size(); ++k) {
        auto point = ReadRequirementPoint((*points)[k], k);
        if (!point) {
            return point.error();
        }
        texts.points[k] = std::move(*point);
    }
    return texts;
}

Json RequirementToJson(const RequirementTexts& texts) {
    Json requirement = Json::object();
    for (const RequirementField& input : kRequirementInputs) {
        requirement[std::string(input.key)] = texts.*input.text;
    }
    requirement["dynamic"] = texts.dynamic;
    requirement["long_stacks"] = texts.long_stacks;
    Json points = Json::array();
    for (const RequirementPointText& point : texts.points) {
        points.push_back({{"given", point.force_given ? "F" : "s"},
                          {"s", point.s},
                          {"F", point.F},
                          {"tolerance", point.tolerance}});
    }
    requirement["points"] = std::move(points);
    return requirement;
}

runtime::Expected<DesignTexts, DesignFileProblem> ReadDocument(const Json& document);

// The design as the file's document.
Json DocumentOf(const DesignTexts& texts) {
    Json inputs = Json::object();
    for (const InputField& input : kInputs) {
        inputs[std::string(input.key)] = texts.*input.text;
    }
    Json points = Json::array();
    for (const PointText& point : texts.points) {
        points.push_back({{"by", point.by == PointBy::kForce ? "F" : "f"}, {"value", point.value}});
    }
    inputs["points"] = std::move(points);
    for (const LoadChoice& choice : kLoads) {
        if (choice.load == texts.load) {
            inputs["load"] = choice.key;
        }
    }
    inputs["outer_edge"] = texts.outer_edge;
    Json packets = Json::array();
    for (const PacketText& packet : texts.packets) {
        Json fields = Json::object();
        for (const PacketField& field : kPacketFields) {
            fields[std::string(field.key)] = packet.*field.text;
        }
        packets.push_back(std::move(fields));
    }
    inputs["packets"] = std::move(packets);
    return {{"format", kFormat},
            {"version", kDesignFileVersion},
            {"inputs", std::move(inputs)},
            {"fatigue_lines", texts.fatigue_lines},
            {"requirement", RequirementToJson(texts.requirement)}};
}

}  // namespace

std::string DesignFileProblemText(const DesignFileProblem& problem, Language language) {
    const std::string key = Quoted(problem.key);
    const auto say = [language](const rows::Phrase& phrase, rows::Values values = {}) {
        return rows::Say(language, phrase, values);
    };
    switch (problem.kind) {
        case Kind::kTooLarge:
            return say(P("file-too-large", "不是碟簧设计文件：大于 {size} MiB"),
                       {{"size", std::to_string(kMaxDesignFileBytes >> 20)}});
        case Kind::kNul:
            return say(P("file-nul", "不是碟簧设计文件：含有 NUL 字节"));
        case Kind::kNotJson:
            return say(P("file-not-json", "不是碟簧设计文件：JSON 在第 {at} 个字节处有误"),
                       {{"at", std::to_string(problem.at)}});
        case Kind::kTooDeep:
            return say(P("file-too-deep", "不是碟簧设计文件：嵌套超过 {depth} 层"),
                       {{"depth", std::to_string(kMaxDepth)}});
        case Kind::kRepeatedKey:
            return say(P("file-repeated-key", "设计文件中的键 {key} 出现了不止一次"),
                       {{"key", key}});
        case Kind::kNotADesign:
            return say(P("file-not-a-design", "不是碟簧设计文件：缺少 \"format\": \"{format}\""),
                       {{"format", kFormat}});
        case Kind::kVersion:
            return say(P("file-version", "设计文件的版本号 \"version\" 应为正整数"));
        case Kind::kNewer:
            return say(P("file-newer",
                         "这个设计文件由较新的版本（格式 {version}）保存，本程序只能读到格式 "
                         "{known}"),
                       {{"version", std::to_string(problem.at)},
                        {"known", std::to_string(kDesignFileVersion)}});
        case Kind::kUnknownKey:
            return say(P("file-unknown-key", "设计文件中有不认识的键 {key}"), {{"key", key}});
        case Kind::kMissing:
            return say(P("file-missing", "设计文件缺少 {key}"), {{"key", key}});
        case Kind::kWrongKind:
            break;
        case Kind::kNotBase64:
            return say(P("address-not-base64", "地址中的设计读不出来（不是 base64url）"));
        case Kind::kNotAView:
            return say(
                P("not-a-view",
                  "需要设计的各项文字：fields、points、packets、requirement 和 fatigueLines"));
    }
    const std::pair<Wanted, rows::Phrase> kWanted[] = {
        {Wanted::kText, P("wanted-text", "文字")},
        {Wanted::kBoolean, P("wanted-boolean", "true 或 false")},
        {Wanted::kObject, P("wanted-object", "对象 {…}")},
        {Wanted::kPoint, P("wanted-point", "{\"by\": \"f\" 或 \"F\", \"value\": 文字}")},
        {Wanted::kPoints, P("wanted-points", "至多两个工作点的列表")},
        {Wanted::kPointBy, P("wanted-point-by", "\"f\"（按变形量）或 \"F\"（按力）")},
        {Wanted::kLoad, P("wanted-load", "\"static\"（静载）或 \"dynamic\"（动载）")},
        {Wanted::kRequirementPoint,
         P("wanted-requirement-point",
           "{\"given\": \"s\" 或 \"F\", \"s\", \"F\", \"tolerance\": 文字}")},
        {Wanted::kRequirementPoints, P("wanted-requirement-points", "至多两个要求的列表")},
        {Wanted::kGiven,
         P("wanted-given", "\"s\"（给定行程，力有公差）或 \"F\"（给定力，行程有公差）")},
        {Wanted::kLines, P("wanted-lines", "文字：疲劳线，以制表符分隔的各行")},
        {Wanted::kPacket, P("wanted-packet", "{\"n\": 文字, \"spring\": 文字, \"stop\": 文字}")},
        {Wanted::kPackets, P("wanted-packets", "各组的列表")},
    };
    std::string wanted;
    for (const auto& [kind, words] : kWanted) {
        if (kind == problem.wanted) {
            wanted = say(words);
        }
    }
    return say(P("file-wrong-kind", "设计文件中 {key} 的值应为{wanted}"),
               {{"key", key}, {"wanted", wanted}});
}

std::string DesignToJson(const DesignTexts& texts, bool indented) {
    const Json document = DocumentOf(texts);
    // Texts that are not UTF-8 (never typed into a window) are written with U+FFFD in place.
    return indented ? document.dump(4, ' ', false, Json::error_handler_t::replace) + '\n'
                    : document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

runtime::Expected<DesignTexts, DesignFileProblem> DesignFromJson(std::string_view json) {
    if (json.size() > kMaxDesignFileBytes) {
        return DesignFileProblem{Kind::kTooLarge};
    }
    // JSON has no place for a raw NUL, and the reader would take it for the end of the text.
    if (json.find('\0') != std::string_view::npos) {
        return DesignFileProblem{Kind::kNul};
    }
    Scan scan;
    if (!Json::sax_parse(json, &scan)) {
        return scan.problem();
    }
    return ReadDocument(Json::parse(json, nullptr, false));
}

namespace {

runtime::Expected<DesignTexts, DesignFileProblem> ReadDocument(const Json& document) {
    if (!document.is_object() || document.value("format", Json()) != kFormat) {
        return DesignFileProblem{Kind::kNotADesign};
    }
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer() || *version < 1) {
        return DesignFileProblem{Kind::kVersion};
    }
    if (*version > kDesignFileVersion) {
        return DesignFileProblem{Kind::kNewer, {}, version->get<std::size_t>()};
    }
    const int read_version = version->get<int>();
    if (auto unknown = UnknownKey(document, "",
                                  [read_version](const std::string& key) {
                                      return key == "format" || key == "version" ||
                                             key == "inputs" ||
                                             (key == "requirement" && read_version >= 3) ||
                                             (key == "fatigue_lines" && read_version >= 4);
                                  });
        unknown) {
        return *unknown;
    }
    const auto inputs = document.find("inputs");
    if (inputs == document.end()) {
        return Missing("inputs");
    }
    if (!inputs->is_object()) {
        return WrongKind("inputs", Wanted::kObject);
    }
    auto texts = ReadInputs(*inputs, read_version);
    if (!texts || read_version < 3) {
        return texts;  // an older file: the example requirement
    }
    const auto requirement = document.find("requirement");
    if (requirement == document.end()) {
        return Missing("requirement");
    }
    auto read = ReadRequirement(*requirement, read_version);
    if (!read) {
        return read.error();
    }
    texts->requirement = std::move(*read);
    if (read_version < 4) {
        return texts;  // no fatigue lines
    }
    const auto lines = document.find("fatigue_lines");
    if (lines == document.end()) {
        return Missing("fatigue_lines");
    }
    if (!lines->is_string()) {
        return WrongKind("fatigue_lines", Wanted::kLines);
    }
    // Kept as typed, like every input: a set that cannot be used is said on the sheet.
    texts->fatigue_lines = lines->get_ref<const std::string&>();
    return texts;
}

}  // namespace

nlohmann::json DesignToView(const DesignTexts& texts) {
    Json document = DocumentOf(texts);
    Json& fields = document["inputs"];
    Json points = std::move(fields["points"]);
    Json packets = std::move(fields["packets"]);
    fields.erase("points");
    fields.erase("packets");
    return {{"fields", std::move(fields)},
            {"points", std::move(points)},
            {"packets", std::move(packets)},
            {"requirement", std::move(document["requirement"])},
            {"fatigueLines", texts.fatigue_lines}};
}

runtime::Expected<DesignTexts, DesignFileProblem> DesignFromView(std::string_view view) {
    if (view.size() > kMaxDesignFileBytes || view.find('\0') != std::string_view::npos) {
        return DesignFileProblem{view.size() > kMaxDesignFileBytes ? Kind::kTooLarge : Kind::kNul};
    }
    Scan scan;
    if (!Json::sax_parse(view, &scan)) {
        return scan.problem();
    }
    Json parts = Json::parse(view, nullptr, false);
    const auto part = [&parts](const char* key) {
        return parts.is_object() && parts.contains(key);
    };
    if (!part("fields") || !parts["fields"].is_object() || !part("points") || !part("packets") ||
        !part("requirement") || !part("fatigueLines") || parts.size() != 5) {
        return DesignFileProblem{Kind::kNotAView};
    }
    Json inputs = std::move(parts["fields"]);
    inputs["points"] = std::move(parts["points"]);
    inputs["packets"] = std::move(parts["packets"]);
    return ReadDocument({{"format", kFormat},
                         {"version", kDesignFileVersion},
                         {"inputs", std::move(inputs)},
                         {"requirement", std::move(parts["requirement"])},
                         {"fatigue_lines", std::move(parts["fatigueLines"])}});
}

}  // namespace design
