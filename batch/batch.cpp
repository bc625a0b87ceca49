// Answering lines, streams and design files as disc-spring-batch prints them.
#include "batch/batch.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "batch/reading.h"
#include "batch/select.h"
#include "batch/stack.h"
#include "calc/characteristic.h"
#include "calc/force_deflection.h"
#include "calc/materials.h"
#include "calc/option_rules.h"
#include "calc/spring_text.h"
#include "design/sheet_text.h"
#include "rows/column_text.h"
#include "rows/curve_text.h"
#include "rows/fatigue_text.h"
#include "rows/option_text.h"
#include "rows/row_text.h"
#include "runtime/decimal.h"
#include "runtime/number_text.h"
#include "runtime/quoted_text.h"
#include "runtime/utf8.h"

namespace batch {
namespace {

using rows::P;

using runtime::kUtf8Bom;
constexpr std::size_t kSpillAt = 1 << 20;

// A whole decimal integer, written as digits alone, or nothing.
bool ReadCount(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Numbers "a,b[,c]", each written whole, read the same in every locale; how many were read, 0
// when the text is not such a list of `least` to values.size() numbers.
std::size_t ReadNumbers(std::string_view text, std::size_t least, std::span<double> values) {
    std::size_t count = 0;
    for (std::size_t start = 0;; ++count) {
        const std::size_t comma = text.find(',', start);
        const std::string_view part = text.substr(start, comma - start);
        if (count == values.size()) {
            return 0;
        }
        double& value = values[count];
        const runtime::Parsed parsed =
            runtime::ParseDouble(part.data(), part.data() + part.size(), value);
        if (part.empty() || parsed.out_of_range || parsed.end != part.data() + part.size()) {
            return 0;
        }
        if (comma == std::string_view::npos) {
            return count + 1 >= least ? count + 1 : 0;
        }
        start = comma + 1;
    }
}

// The option that gives a value, and the value's text as given.
struct Given {
    std::string_view name, text;
};

// What the options mean together: the ranges and friction's locking by the rules every face
// shares, then the modes.
std::optional<std::string> CheckTogether(const BatchArguments& parsed,
                                         const std::map<calc::OptionValue, Given>& given) {
    const BatchOptions& options = parsed.options;
    const rows::Language language = options.language;
    const auto say = [language](const rows::Phrase& phrase, rows::Values values = {}) {
        return std::optional(rows::Say(language, phrase, values));
    };
    if (const auto problem = calc::CheckRowOptions(options.row)) {
        const auto found = given.find(problem->value);
        const Given option = found != given.end() ? found->second : Given{"--material", ""};
        if (problem->kind == calc::OptionProblem::Kind::kSelfLocking) {
            return say(
                P("option-unusable", "选项 {option} 不能用：{why}"),
                {{"option", option.name}, {"why", rows::OptionProblemText(*problem, language)}});
        }
        return Unusable(option.name, option.text, rows::OptionProblemText(*problem, language),
                        language);
    }
    if (options.force && options.curve_steps > 0) {
        return say(P("option-force-curve", "选项 --force 逐行求变形量，不能与 --curve 同用"));
    }
    if (options.select &&
        (options.force || options.curve_steps > 0 || options.row.rate || options.row.flats ||
         options.row.outer_edge || options.row.check || options.row.stack || parsed.design)) {
        return say(P("option-select-with",
                     "选项 --select 逐行选型，只能与选型的选项和 --material、--friction 同用"));
    }
    const calc::Requirement* base = options.select ? &options.select->base : nullptr;
    const bool stack_points = !parsed.stack_file.empty() && options.curve_steps == 0;
    if (!parsed.fatigue_file.empty() && !parsed.design && !(base && base->dynamic) &&
        !(stack_points && parsed.load == calc::Load::kDynamic)) {
        return say(P("option-fatigue-with",
                     "选项 --fatigue 只用于 --design、--select --dynamic 和 --stack --dynamic"
                     "（两个工作点之间的载荷循环）"));
    }
    if (base && base->life && (!base->dynamic || parsed.fatigue_file.empty())) {
        return say(P("option-life-with",
                     "选项 --life 要与 --dynamic 和 --fatigue 同用：寿命按所输入的疲劳线判断"));
    }
    if (parsed.load && !options.select && !parsed.design && !stack_points) {
        return say(
            P("option-load-with",
              "选项 --static 和 --dynamic 只用于 --select、--design 和不带 --curve 的 --stack"));
    }
    if (!parsed.select_option.empty() && !options.select) {
        return say(P("option-select-only", "选项 {option} 只用于 --select"),
                   {{"option", parsed.select_option}});
    }
    if (!parsed.stack_file.empty() &&
        (options.select || parsed.design || options.row.stack || options.row.flats ||
         options.row.rate || options.row.friction)) {
        return say(
            P("option-stack-with",
              "选项 --stack 从文件读碟簧组（每组的 t′ 在文件里，刚度总是输出），"
              "不能与 --select、--design、--series、--parallel、--flats、--rate、--friction 同用"));
    }
    if (!parsed.stack_file.empty() && options.curve_steps > 0 && !parsed.files.empty()) {
        return say(P("option-stack-curve",
                     "选项 --stack 与 --curve 同用时只输出碟簧组的特性，不读输入文件"));
    }
    if (parsed.design &&
        (options.force || options.curve_steps > 0 || options.row.rate || options.row.flats ||
         options.row.outer_edge || options.row.check || options.row.stack || options.row.friction ||
         !given.empty() || options.comments || options.id)) {
        return say(P("option-design-with",
                     "选项 --design 读设计文件，其中已有全部输入，不能与其他选项同用"));
    }
    return std::nullopt;
}

}  // namespace

namespace {

// An option without a value; false when `arg` is none.
bool ReadFlag(std::string_view arg, BatchArguments& parsed, SelectOptions& select) {
    BatchOptions& options = parsed.options;
    if (arg == "--select") {
        options.select.emplace();
        return true;
    }
    if (arg == "--dynamic" || arg == "--static") {
        parsed.load = arg == "--dynamic" ? calc::Load::kDynamic : calc::Load::kStatic;
        select.base.dynamic = parsed.load == calc::Load::kDynamic;
        return true;
    }
    if (arg == "--long-stacks") {
        select.base.long_stacks = true;
        parsed.select_option = arg;
        return true;
    }
    bool* flag = arg == "-h" || arg == "--help" ? &parsed.help
                 : arg == "--comments"          ? &options.comments
                 : arg == "--id"                ? &options.id
                 : arg == "--check"             ? &options.row.check
                 : arg == "--rate"              ? &options.row.rate
                 : arg == "--sigma4"            ? &options.row.outer_edge
                 : arg == "--flats"             ? &options.row.flats
                 : arg == "--force"             ? &options.force
                 : arg == "--design"            ? &parsed.design
                                                : nullptr;
    if (flag != nullptr) {
        *flag = true;
    }
    return flag != nullptr;
}

// An option of the rows with its value: --curve, --series, --parallel, --friction, --material,
// --fatigue; the message when the value cannot be used. `given` keeps which option gave which
// value, for the words of a problem found with the others.
std::optional<std::string> ReadRowOption(std::string_view name, std::string_view value,
                                         BatchArguments& parsed,
                                         std::map<calc::OptionValue, Given>& given) {
    BatchOptions& options = parsed.options;
    calc::RowOptions& row_options = options.row;
    const rows::Language language = options.language;
    if (name == "--fatigue" || name == "--stack") {
        (name == "--stack" ? parsed.stack_file : parsed.fatigue_file) = value;
        return std::nullopt;
    }
    if (name == "--friction") {
        double pair[2];
        if (ReadNumbers(value, 2, pair) != 2) {
            return Unusable(
                name, value,
                rows::Say(language, P("wanted-friction", "应为 w_M,w_R 两个数，如 0.01,0.03")),
                language);
        }
        row_options.friction = calc::Friction{pair[0], pair[1]};
        given[calc::OptionValue::kSurfaceFriction] =
            given[calc::OptionValue::kEdgeFriction] = {name, value};
        return std::nullopt;
    }
    if (name == "--material") {
        double numbers[3];
        const std::size_t count = ReadNumbers(value, 2, numbers);
        if (count == 0) {
            return Unusable(
                name, value,
                rows::Say(language, P("wanted-material",
                                      "应为弹性模量 E（MPa）、泊松比 μ 和可选的抗拉强度 Rm"
                                      "（MPa），如 206000,0.3 或 206000,0.3,1600")),
                language);
        }
        // Without Rm, the named material of this E and μ gives it (or none is judged).
        row_options.material = calc::MaterialOf(numbers[0], numbers[1]);
        if (count == 3) {
            row_options.material.Rm = numbers[2];
        }
        for (const auto kind : {calc::OptionValue::kModulus, calc::OptionValue::kPoisson,
                                calc::OptionValue::kStrength}) {
            given[kind] = {name, value};
        }
        return std::nullopt;
    }
    calc::OptionValue counted = calc::OptionValue::kSteps;
    int* target = &options.curve_steps;
    if (name == "--series" || name == "--parallel") {
        if (!row_options.stack) {
            row_options.stack.emplace();
        }
        const bool series = name == "--series";
        counted = series ? calc::OptionValue::kSeries : calc::OptionValue::kParallel;
        target = series ? &row_options.stack->series : &row_options.stack->parallel;
    }
    if (!ReadCount(value, *target) || !calc::InRange(*target, calc::RangeOf(counted))) {
        return Unusable(name, value, rows::RangeText(counted, language), language);
    }
    given[counted] = {name, value};
    return std::nullopt;
}

}  // namespace

runtime::Expected<BatchArguments, std::string> ParseBatchArguments(
    const std::vector<std::string_view>& args) {
    BatchArguments parsed;
    // The language comes first, wherever it stands, so that every message is in it.
    rows::Language& language = parsed.options.language;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] != "--lang" && !args[i].starts_with("--lang=")) {
            continue;
        }
        const bool apart = args[i] == "--lang";
        if (apart && i + 1 == args.size()) {
            return rows::Say(language, P("option-no-value", "选项 {option} 缺少数值"),
                             {{"option", "--lang"}});
        }
        const std::string_view tag = apart ? args[++i] : args[i].substr(7);
        if (tag != "zh" && tag != "en") {
            return Unusable("--lang", tag,
                            rows::Say(language, P("wanted-language", "应为 zh 或 en")), language);
        }
        language = rows::LanguageOfTag(tag);
    }
    std::map<calc::OptionValue, Given> given;
    SelectOptions select;  // what the requirement options give, before --select is known
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_done || arg == "-" || !arg.starts_with('-')) {
            parsed.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            options_done = true;
            continue;
        }
        if (ReadFlag(arg, parsed, select)) {
            continue;
        }
        const std::string_view name = arg.substr(0, arg.find('='));
        const bool selecting = name == "--best" || name == "--given" || name == "--tolerance" ||
                               name == "--clearance" || name == "--max-length" ||
                               name == "--max-series" || name == "--max-parallel" ||
                               name == "--special" || name == "--life";
        if (name == "--lang") {  // read above
            i += name.size() < arg.size() ? 0 : 1;
            continue;
        }
        const bool known = selecting || name == "--curve" || name == "--series" ||
                           name == "--parallel" || name == "--friction" || name == "--material" ||
                           name == "--fatigue" || name == "--stack";
        if (!known) {
            return rows::Say(language,
                             P("option-unknown", "未知选项 '{option}'（用 --help 查看用法）"),
                             {{"option", runtime::QuotedText(arg)}});
        }
        std::string_view value;
        if (name.size() < arg.size()) {
            value = arg.substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return rows::Say(language, P("option-no-value", "选项 {option} 缺少数值"),
                             {{"option", name}});
        }
        if (selecting) {
            parsed.select_option = name;
        }
        if (auto wrong = selecting ? ReadSelectOption(name, value, select, language)
                                   : ReadRowOption(name, value, parsed, given)) {
            return *wrong;
        }
    }
    BatchOptions& options = parsed.options;
    if (options.select) {
        *options.select = select;
        options.select->base.material = options.row.material;
        options.select->base.friction = options.row.friction;
    }
    if (const auto conflict = CheckTogether(parsed, given)) {
        return *conflict;
    }
    if (parsed.files.empty()) {
        parsed.files.emplace_back("-");
    }
    return parsed;
}

void AppendBatchHeader(const BatchOptions& options, std::string& out) {
    if (options.id && (options.curve_steps > 0 || options.select || options.column)) {
        out += "ID\t";
    }
    if (options.column) {
        rows::TabJoined joined(out);
        rows::ColumnHeaderCells(options.column->column, options.row.check, joined,
                                options.language);
        out += '\n';
    } else if (options.curve_steps > 0) {
        rows::AppendCurveTableHeader(options.row, out, options.language);
    }
    if (options.select) {
        AppendSelectHeader(*options.select, out, options.language);
    }
}

BatchStream::BatchStream(const BatchOptions& options, std::int64_t& numbering,
                         std::function<void(std::string&)> spill)
    : options_(options), numbering_(numbering), spill_(std::move(spill)) {}

void BatchStream::Feed(std::string_view chunk, std::string& out) {
    if (!bom_checked_) {
        // A byte-order mark from a Windows editor is not part of the first D. It may arrive
        // split across chunks, so bytes are held back until it is decided.
        pending_ += chunk;
        if (pending_.size() < kUtf8Bom.size() && kUtf8Bom.starts_with(pending_)) {
            return;
        }
        if (pending_.starts_with(kUtf8Bom)) {
            pending_.erase(0, kUtf8Bom.size());
        }
        bom_checked_ = true;
        std::string held;
        held.swap(pending_);
        Split(held, out);
        return;
    }
    Split(chunk, out);
}

void BatchStream::Finish(std::string& out) {
    bom_checked_ = true;
    if (!pending_.empty() || too_long_) {
        Answer(pending_, out);
        pending_.clear();
    }
}

void BatchStream::Hold(std::string_view part) {
    // An unfinished line is held only up to the longest a line may be: a file without line
    // ends is answered in bounded memory, as one line too long.
    if (too_long_ || pending_.size() + part.size() > kMaxLineBytes + 1) {  // + its CR
        too_long_ = true;
        pending_.clear();
        return;
    }
    pending_ += part;
}

void BatchStream::Split(std::string_view chunk, std::string& out) {
    std::size_t start = 0;
    if (!pending_.empty() || too_long_) {
        const std::size_t end = chunk.find('\n');
        if (end == std::string_view::npos) {
            Hold(chunk);
            return;
        }
        Hold(chunk.substr(0, end));
        Answer(pending_, out);
        pending_.clear();
        start = end + 1;
    }
    for (;;) {
        const std::size_t end = chunk.find('\n', start);
        if (end == std::string_view::npos) {
            Hold(chunk.substr(start));
            return;
        }
        Answer(chunk.substr(start, end - start), out);
        start = end + 1;
    }
}

void BatchStream::Lead(std::string& out) const {
    if (options_.id) {
        out += id_;
        out += '\t';
    }
}

void BatchStream::Answer(std::string_view line, std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++numbering_;
    id_.clear();
    if (too_long_ || line.size() > kMaxLineBytes) {
        too_long_ = false;
        AnswerTooLong(out);
        return;
    }
    if (options_.comments &&
        (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#'))) {
        return;
    }
    if (options_.id) {
        const std::size_t tab = line.find('\t');
        id_ = line.substr(0, tab);
        line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    }
    if (options_.select) {
        const SelectAnswer answer =
            AnswerSelectLine(line, numbering_, *options_.select, out, options_.id ? id_ + '\t' : "",
                             options_.language);
        all_computed_ = all_computed_ && answer != SelectAnswer::kUnusable;
        nothing_fits_ = nothing_fits_ || answer == SelectAnswer::kNothingFits;
    } else if (options_.column) {
        AnswerStackLine(line, out);
    } else if (options_.curve_steps > 0) {
        AnswerCurve(line, out);
    } else {
        AnswerPlain(line, out);
    }
}

void BatchStream::AnswerTooLong(std::string& out) {
    all_computed_ = false;
    const std::string why =
        rows::Say(options_.language, P("line-too-long", "行太长：超过 {size} MiB 的行不读"),
                  {{"size", std::to_string(kMaxLineBytes >> 20)}});
    Lead(out);
    if (options_.select) {
        out += std::to_string(numbering_) + "\tERROR\t" + why + "\n";
        return;
    }
    if (options_.curve_steps > 0) {
        out += std::to_string(numbering_);
        out += '\t';
    } else if (options_.force) {
        out += '\t';
    }
    rows::TabJoined row(out);
    rows::UnreadableCells(why, options_.row, row);
    out += '\n';
}

void BatchStream::AnswerStackLine(std::string_view line, std::string& out) {
    std::array<std::string_view, 6> fields;
    const std::size_t count = SplitFields(line, fields);
    const std::string lead = options_.id ? id_ + '\t' : std::string();
    if (count != 1 && count != 2) {
        out += lead;
        rows::TabJoined row(out);
        row.Cell("ERROR");
        row.Cell(FieldCountMessage(rows::Say(options_.language, P("one-or-two", "1 或 2")), count,
                                   options_.language));
        out += '\n';
        all_computed_ = false;
        return;
    }
    all_computed_ = batch::AnswerStackLine(*options_.column, options_,
                                           std::span(fields.data(), count), lead, out) &&
                    all_computed_;
}

void BatchStream::AnswerPlain(std::string_view line, std::string& out) {
    std::array<std::string_view, 6> fields;
    const std::size_t wanted = options_.row.flats ? 6 : 5;
    const std::size_t count = SplitFields(line, fields);
    Lead(out);
    if (count != wanted) {
        if (options_.force) {
            out += '\t';
        }
        rows::TabJoined row(out);
        rows::UnreadableCells(FieldCountMessage(std::to_string(wanted), count, options_.language),
                              options_.row, row);
        out += '\n';
        all_computed_ = false;
        return;
    }
    const auto inputs = calc::ReadRowInputs(std::span(fields.data(), count), options_.row.flats);
    if (!inputs) {
        if (options_.force) {
            out += '\t';
        }
        rows::AppendRowFields({calc::RowError{inputs.error()}, std::nullopt}, options_.row, out,
                              options_.language);
        out += '\n';
        all_computed_ = false;
        return;
    }
    const std::vector<calc::Quantity> partly =
        options_.row.check ? calc::PartlyRead(std::span(fields.data(), count), options_.row.flats)
                           : std::vector<calc::Quantity>();
    if (options_.force) {
        AnswerForce(*inputs, partly, out);
        return;
    }
    calc::Row row = calc::CalculateRow(*inputs, options_.row);
    row.partly_read = partly;
    rows::AppendRowFields(row, options_.row, out, options_.language);
    out += '\n';
    all_computed_ = all_computed_ && row.results.has_value();
}

// The line's last field was read as f: it is the force to find f for.
void BatchStream::AnswerForce(calc::RowInputs inputs, const std::vector<calc::Quantity>& partly,
                              std::string& out) {
    const double force = inputs.spring.f;
    inputs.spring.f = 0;
    const auto f = calc::DeflectionForForce(inputs, options_.row, force);
    if (!f) {
        // No deflection: the checks judge the spring as it stands.
        out += '\t';
        rows::AppendRowFields(
            {f.error(),
             options_.row.check ? std::optional(calc::CheckRow(inputs, options_.row))
                                : std::nullopt,
             partly, true},
            options_.row, out, options_.language);
        out += '\n';
        all_computed_ = false;
        return;
    }
    inputs.spring.f = *f;
    out += runtime::NumberToText(*f).view();
    out += '\t';
    calc::Row row = calc::CalculateRow(inputs, options_.row);
    row.partly_read = partly;
    row.force_read = true;
    rows::AppendRowFields(row, options_.row, out, options_.language);
    out += '\n';
    all_computed_ = all_computed_ && row.results.has_value();
}

void BatchStream::AnswerCurve(std::string_view line, std::string& out) {
    std::array<std::string_view, 6> fields;
    const bool flats = options_.row.flats;
    const std::size_t least = flats ? 5 : 4;
    const std::size_t count = SplitFields(line, fields);
    if (count != least && count != least + 1) {
        Lead(out);
        out += std::to_string(numbering_);
        out += '\t';
        rows::TabJoined row(out);
        const std::string wanted =
            rows::Say(options_.language, P("either-count", "{a} 或 {b}"),
                      {{"a", std::to_string(least)}, {"b", std::to_string(least + 1)}});
        rows::UnreadableCells(FieldCountMessage(wanted, count, options_.language), options_.row,
                              row);
        out += '\n';
        all_computed_ = false;
        return;
    }
    const calc::CurveTexts texts{fields[0],
                                 fields[1],
                                 fields[2],
                                 fields[flats ? 4 : 3],
                                 flats ? fields[3] : std::string_view(),
                                 count == least + 1 ? fields[count - 1] : std::string_view()};
    const auto curve = calc::ReadCurve(texts, options_.curve_steps, options_.row);
    const std::vector<calc::Quantity> partly =
        options_.row.check ? calc::PartlyRead(std::span(fields.data(), count), flats)
                           : std::vector<calc::Quantity>();
    for (int k = 0; k <= options_.curve_steps; ++k) {
        calc::CurveRow row = calc::CurveRowAt(curve, k, options_.row);
        row.row.partly_read = partly;
        Lead(out);
        rows::AppendCurveTableRow(numbering_, row, options_.row, out, options_.language);
        all_computed_ = all_computed_ && row.row.results.has_value();
        if (spill_ && out.size() >= kSpillAt) {
            spill_(out);
        }
    }
}

DesignOutcome AnswerDesign(const design::DesignTexts& texts, std::string& out,
                           rows::Language language) {
    const design::Sheet sheet = design::ComputeSheet(texts, language);
    out += design::CopyText(sheet);
    out += rows::Say(language, P("column-check", "检查"));
    out += '\t';
    const std::vector<std::string> codes = design::FindingCodes(sheet);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        out += (i == 0 ? "" : ",") + codes[i];
    }
    out += '\n';
    for (const auto& [name, value] : design::RecordPairs(sheet)) {
        out += name + '\t' + value + '\n';
    }
    const bool points = std::all_of(sheet.points.begin(), sheet.points.end(),
                                    [](const design::PointResult& p) { return !p.problem; });
    DesignOutcome outcome;
    if (sheet.fatigue_problem) {
        outcome.lines_problem = rows::FatigueLinesProblemText(*sheet.fatigue_problem, language);
    }
    outcome.computed = design::NoTable(sheet).empty() && !sheet.first_fault && points &&
                       outcome.lines_problem.empty();
    return outcome;
}

}  // namespace batch
