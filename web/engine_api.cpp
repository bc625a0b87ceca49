#include "web/engine_api.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "calc/materials.h"
#include "design/data_sheet.h"
#include "design/design_address.h"
#include "design/design_file.h"
#include "design/plot_axis.h"
#include "design/selection.h"
#include "design/sheet_text.h"
#include "rows/selection_text.h"
#include "runtime/number_text.h"
#include "ui/commands.h"
#include "ui/report.h"

namespace {

using Json = nlohmann::json;

// A text box of the page, held for one command.
class MemoryBox final : public ui::TextBox {
public:
    std::string Text() const override { return text; }
    void SetText(std::string_view value) override { text = value; }
    std::string text;
};

// The text of the last answer: the caller reads it before its next call.
std::string answer;
// The sheet of the last ds_sheet.
design::Sheet sheet;

const char* Answer(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

const char* Answer(const Json& json) {
    return Answer(json.dump(-1, ' ', false, Json::error_handler_t::replace));
}

Json Strings(const std::vector<std::string>& texts) {
    return Json(texts);
}

// How many of the catalogue's candidates to show: 0 (or less) for as many as at first.
std::size_t ShownBest(int best) {
    return best > 0 ? static_cast<std::size_t>(best) : design::kShownAtFirst;
}

Json SortKeys(const std::vector<std::optional<double>>& keys) {
    Json out = Json::array();
    for (const auto& key : keys) {
        out.push_back(key ? Json(*key) : Json(nullptr));
    }
    return out;
}

Json Row(const design::TableRow& row) {
    return {{"cells", row.cells}, {"span", row.span}};
}

std::string Colour(design::Rgb rgb) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string colour = "#";
    for (const int channel : {rgb.r, rgb.g, rgb.b}) {
        colour += kHex[channel / 16];
        colour += kHex[channel % 16];
    }
    return colour;
}

Json Axis(const design::AxisScale& scale) {
    Json ticks = Json::array();
    for (const double tick : scale.ticks) {
        ticks.push_back({{"v", tick}, {"label", design::TickLabel(tick)}});
    }
    return {{"low", scale.low}, {"high", scale.high}, {"ticks", ticks}};
}

Json Points(const std::vector<design::Point>& points) {
    Json list = Json::array();
    for (const design::Point& p : points) {
        list.push_back({p.x, p.y});
    }
    return list;
}

Json Panel(const design::PlotPanel& panel, int columns) {
    const design::PanelScales scales = design::ScalesOf(panel);
    Json series = Json::array();
    for (const design::PlotSeries& line : panel.series) {
        const std::vector<design::Point> kept = design::Thinned(line.points, scales.x, columns);
        Json texts = Json::array();
        for (const design::Point& p : kept) {
            texts.push_back(
                {design::ValueText(p.x, panel.x_unit), design::ValueText(p.y, line.unit)});
        }
        series.push_back({{"name", line.name},
                          {"symbol", line.symbol},
                          {"unit", line.unit},
                          {"color", Colour(line.color)},
                          {"dashed", line.style == design::LineStyle::kDashed},
                          {"points", Points(kept)},
                          {"texts", texts}});
    }
    Json markers = Json::array(), marks = Json::array(), bands = Json::array();
    for (const design::PlotMarker& marker : panel.markers) {
        markers.push_back({{"label", marker.label}, {"x", marker.x}});
    }
    for (const design::PlotMark& mark : panel.marks) {
        marks.push_back({{"label", mark.label}, {"x", mark.at.x}, {"y", mark.at.y}});
    }
    for (const design::PlotBand& band : panel.bands) {
        bands.push_back({{"color", Colour(band.color)},
                         {"upper", Points(design::Thinned(band.upper, scales.x, columns))},
                         {"lower", Points(design::Thinned(band.lower, scales.x, columns))}});
    }
    return {{"xLabel", panel.x_label},
            {"yLabel", panel.y_label},
            {"xSymbol", panel.x_symbol},
            {"xUnit", panel.x_unit},
            {"x", Axis(scales.x)},
            {"y", Axis(scales.y)},
            {"series", series},
            {"markers", markers},
            {"marks", marks},
            {"bands", bands},
            {"shown", design::HasPoints(panel)}};
}

// The named material E and μ stand for as read, for the picker: its index, or -1.
int Material() {
    if (sheet.unusable) {
        return -1;
    }
    const auto named = calc::FindMaterial(sheet.options.material);
    return named ? static_cast<int>(*named) : -1;
}

Json SheetJson(int columns) {
    Json points = Json::array();
    for (int k = 0; k < 2; ++k) {
        points.push_back({{"given", sheet.points[static_cast<std::size_t>(k)].given},
                          {"cells", design::PointRow(sheet, k).cells},
                          {"reader", design::PointRow(sheet, k, rows::Precision::kReader).cells}});
    }
    Json sections = Json::array();
    const design::DataSheet data =
        design::DataSheetOf(sheet, "由碟形弹簧的设计计算（浏览器版）计算");
    for (const design::DataSheetSection& section : data.sections) {
        Json rows = Json::array();
        for (const design::TableRow& row : section.rows) {
            rows.push_back(Row(row));
        }
        sections.push_back({{"heading", section.heading},
                            {"header", section.header},
                            {"rows", rows},
                            {"lines", section.lines},
                            {"plot", section.plot}});
    }
    Json panels = Json::array();
    for (const design::PlotPanel& panel : sheet.plot) {
        panels.push_back(Panel(panel, columns));
    }
    return {{"header", sheet.unusable ? Json::array() : Strings(design::HeaderCells(sheet))},
            {"rows", sheet.rows.size()},
            {"points", points},
            {"summary", Strings(design::Summary(sheet))},
            {"findings", Strings(design::FindingSentences(sheet))},
            {"codes", Strings(design::FindingCodes(sheet))},
            {"caption", design::Caption(sheet)},
            {"dataSheet", {{"title", data.title}, {"sections", sections}}},
            {"noTable", design::NoTable(sheet)},
            {"noPlot", design::NoPlot(sheet)},
            {"noDataSheet", design::NoDataSheet(sheet)},
            {"material", Material()},
            {"plot", panels}};
}

// The strings of a JSON array, or nothing when it is not one of strings alone.
bool StringsOf(const char* json, std::vector<std::string>& out) {
    const Json parsed = Json::parse(json, nullptr, false);
    if (!parsed.is_array()) {
        return false;
    }
    for (const Json& item : parsed) {
        if (!item.is_string()) {
            return false;
        }
        out.push_back(item.get<std::string>());
    }
    return true;
}

// A design as the page holds it: its file (opaque to the page, for saving and the sheets), its
// address, and its texts by field for the form.
Json DesignAnswer(const design::DesignTexts& texts) {
    const std::string file = design::DesignToJson(texts);
    Json document = Json::parse(file);
    Json inputs = document["inputs"];
    Json points = inputs["points"];
    inputs.erase("points");
    const Json requirement = document["requirement"];
    return Json{{"file", file},
                {"address", design::DesignAddress(texts)},
                {"view", {{"fields", inputs}, {"points", points}, {"requirement", requirement}}}};
}

const char* DesignOrError(const runtime::Expected<design::DesignTexts, std::string>& texts) {
    return Answer(texts ? DesignAnswer(*texts) : Json{{"error", texts.error()}});
}

std::string_view Bytes(const char* bytes, int size) {
    return size > 0 ? std::string_view(bytes, static_cast<std::size_t>(size)) : std::string_view();
}

}  // namespace

extern "C" {

const char* ds_command(const char* command, const char* boxes_json) {
    std::vector<std::string> texts;
    const std::string name = command;
    if (!StringsOf(boxes_json, texts) || texts.size() != 10 ||
        (name != "calculate" && name != "clear")) {
        return Answer(Json{{"error", "需要命令 calculate 或 clear 和十个框的文字"}});
    }
    std::array<MemoryBox, 10> memory;
    ui::TextBoxes boxes{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i].text = texts[i];
        boxes[i] = &memory[i];
    }
    Json report = nullptr;
    if (name == "clear") {
        ui::Clear(boxes);
    } else {
        ui::Calculate(boxes, [&report](const calc::SpringFault& fault) {
            const ui::Report words = ui::ReportFor(fault);
            report = {{"title", words.title}, {"text", words.text}, {"button", words.button}};
        });
    }
    Json shown = Json::array();
    for (const MemoryBox& box : memory) {
        shown.push_back(box.text);
    }
    return Answer(Json{{"boxes", shown}, {"report", report}});
}

const char* ds_inputs() {
    Json inputs = Json::array();
    for (const design::InputField& input : design::kInputs) {
        inputs.push_back({{"label", input.label},
                          {"name", input.name},
                          {"hint", input.hint},
                          {"key", input.key},
                          {"count", input.kind == design::InputKind::kCount}});
    }
    Json materials = Json::array();
    for (const calc::NamedMaterial& named : calc::kMaterials) {
        const calc::Material& m = named.material;
        materials.push_back({{"name", named.name},
                             {"E", std::string(runtime::NumberToText(m.E).view())},
                             {"mu", std::string(runtime::NumberToText(m.mu).view())},
                             {"Rm", m.Rm ? std::string(runtime::NumberToText(*m.Rm).view()) : ""}});
    }
    Json requirement = Json::array();
    for (const design::RequirementField& input : design::kRequirementInputs) {
        requirement.push_back({{"label", input.label}, {"hint", input.hint}, {"key", input.key}});
    }
    return Answer(Json{{"inputs", inputs},
                       {"requirement", requirement},
                       {"requirementPoints", design::kRequirementPointNames},
                       {"points", design::kPointNames},
                       {"materials", materials},
                       {"designFileBytes", design::kMaxDesignFileBytes},
                       {"catalogueBytes", kMaxCatalogueBytes},
                       {"materialBefore", design::kMaterialPickerBefore},
                       {"fresh", DesignAnswer(design::DefaultTexts())}});
}

const char* ds_design_check(const char* bytes, int size) {
    return DesignOrError(design::DesignFromJson(Bytes(bytes, size)));
}

const char* ds_design_address(const char* fragment) {
    return DesignOrError(design::DesignFromAddress(fragment));
}

const char* ds_design(const char* view_json) {
    const Json view = Json::parse(view_json, nullptr, false);
    if (!view.is_object() || !view.contains("fields") || !view["fields"].is_object()) {
        return Answer(Json{{"error", "需要设计的各项文字"}});
    }
    Json inputs = view["fields"];
    inputs["points"] = view.value("points", Json::array());
    Json file{{"format", "disc-spring-design"},
              {"version", design::kDesignFileVersion},
              {"inputs", inputs}};
    if (view.contains("requirement") && !view["requirement"].is_null()) {
        file["requirement"] = view["requirement"];
    }
    return DesignOrError(design::DesignFromJson(file.dump()));
}

const char* ds_sheet(const char* file_text, int plot_columns) {
    const auto texts = design::DesignFromJson(file_text);
    if (!texts) {
        return Answer(Json{{"error", texts.error()}});
    }
    sheet = design::ComputeSheet(*texts);
    return Answer(SheetJson(plot_columns < 1 ? 1 : plot_columns));
}

const char* ds_sheet_rows(int from, int count) {
    Json rows = Json::array();
    const std::size_t size = sheet.unusable ? 0 : sheet.rows.size();
    for (std::size_t k = static_cast<std::size_t>(from < 0 ? 0 : from);
         k < size && k < static_cast<std::size_t>(from) + static_cast<std::size_t>(count); ++k) {
        rows.push_back(Row(design::TableRowAt(sheet, k)));
    }
    return Answer(Json{{"rows", rows}});
}

const char* ds_plot_point(int panel, int series, int index, double x) {
    if (panel < 0 || static_cast<std::size_t>(panel) >= sheet.plot.size() || series < 0 ||
        static_cast<std::size_t>(series) >=
            sheet.plot[static_cast<std::size_t>(panel)].series.size()) {
        return Answer(Json{{"error", "没有这条曲线"}});
    }
    const design::PlotPanel& shown = sheet.plot[static_cast<std::size_t>(panel)];
    const std::vector<design::Point>& points =
        shown.series[static_cast<std::size_t>(series)].points;
    if (points.empty()) {
        return Answer(Json{{"error", "这条曲线没有点"}});
    }
    std::size_t at = 0;
    if (index >= 0) {
        at = std::min(static_cast<std::size_t>(index), points.size() - 1);
    } else {
        for (std::size_t k = 1; k < points.size(); ++k) {
            if (std::abs(points[k].x - x) < std::abs(points[at].x - x)) {
                at = k;
            }
        }
    }
    const design::Point& p = points[at];
    const std::string& unit = shown.series[static_cast<std::size_t>(series)].unit;
    return Answer(Json{{"index", at},
                       {"count", points.size()},
                       {"x", p.x},
                       {"y", p.y},
                       {"xText", design::ValueText(p.x, shown.x_unit)},
                       {"yText", design::ValueText(p.y, unit)}});
}

const char* ds_sheet_copy() {
    return Answer(design::CopyText(sheet));
}

const char* ds_select(const char* file_text, int best) {
    const auto texts = design::DesignFromJson(file_text);
    if (!texts) {
        return Answer(Json{{"error", texts.error()}});
    }
    const design::SelectionSheet chosen = design::ComputeSelection(*texts, ShownBest(best));
    Json rows = Json::array();
    const auto shown = chosen.problem ? std::vector<const calc::Candidate*>{} : chosen.Shown();
    for (std::size_t row = 0; row < shown.size(); ++row) {
        rows.push_back({{"cells", design::SelectionRowCells(chosen, row, rows::Precision::kReader)},
                        {"every", design::SelectionRowCells(chosen, row, rows::Precision::kEvery)},
                        {"keys", SortKeys(design::SelectionSortKeys(chosen, row))},
                        {"name", rows::CandidateName(*shown[row], calc::Din2093())},
                        {"special", !shown[row]->catalogue}});
    }
    return Answer(Json{{"problem", chosen.problem ? Json(*chosen.problem) : Json(nullptr)},
                       {"summary", design::SelectionSummary(chosen)},
                       {"header", design::SelectionHeaderCells(chosen)},
                       {"rows", rows},
                       {"shown", chosen.best},
                       {"more", chosen.CanShowMore()},
                       {"best", design::MoreShown(chosen.best)},
                       {"copy", design::SelectionCopyText(chosen)}});
}

const char* ds_open_candidate(const char* file_text, int best, int row) {
    const auto texts = design::DesignFromJson(file_text);
    if (!texts) {
        return Answer(Json{{"error", texts.error()}});
    }
    const design::SelectionSheet chosen = design::ComputeSelection(*texts, ShownBest(best));
    if (chosen.problem || row < 0 || static_cast<std::size_t>(row) >= chosen.Shown().size()) {
        return Answer(Json{{"error", "没有这个候选碟簧"}});
    }
    return Answer(Json{{"file", design::DesignToJson(design::OpenCandidate(
                                    *texts, chosen, static_cast<std::size_t>(row)))}});
}

const char* ds_batch(const char* args_json, const char* bytes, int size) {
    const auto refuse = [](const std::string& why) {
        return Answer(Json{{"status", 2}, {"output", ""}, {"error", why}});
    };
    const std::string_view input = Bytes(bytes, size);
    std::vector<std::string> args;
    if (!StringsOf(args_json, args)) {
        return refuse("参数应为文字的列表");
    }
    const std::vector<std::string_view> views(args.begin(), args.end());
    const auto parsed = batch::ParseBatchArguments(views);
    if (!parsed || parsed->help || parsed->files != std::vector<std::string>{"-"}) {
        return refuse(parsed ? "这里不接受文件名和 --help" : parsed.error());
    }
    std::string out;
    if (parsed->design) {
        const auto texts = design::DesignFromJson(input);
        if (!texts) {
            return refuse(texts.error());
        }
        const bool computed = batch::AnswerDesign(*texts, out);
        return Answer(Json{{"status", computed ? 0 : 1}, {"output", out}, {"error", ""}});
    }
    if (input.size() > kMaxCatalogueBytes) {
        return refuse("目录大于 " + std::to_string(kMaxCatalogueBytes >> 20) +
                      " MiB，浏览器中不计算；请用 disc-spring-batch，它能读任意大的目录");
    }
    std::int64_t numbering = 0;
    batch::AppendBatchHeader(parsed->options, out);
    batch::BatchStream stream(parsed->options, numbering);
    // A line at a time, so that an answer growing too large (a long curve for every line) stops
    // early instead of filling the page's memory.
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size() - 1);
        stream.Feed(input.substr(start, end + 1 - start), out);
        start = end + 1;
        if (out.size() > kMaxAnswerBytes) {
            return refuse("结果将超过 " + std::to_string(kMaxAnswerBytes >> 20) +
                          " MiB，浏览器中不计算；请用 disc-spring-batch，或减少行数或曲线点数");
        }
    }
    stream.Finish(out);
    return Answer(Json{{"status", stream.all_computed() ? 0 : 1}, {"output", out}, {"error", ""}});
}
}
