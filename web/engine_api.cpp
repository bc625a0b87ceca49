// The browser edition's design engine: each call of the page answered from design/ and batch/.
#include "web/engine_api.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "calc/catalogue.h"
#include "calc/fatigue_lines.h"
#include "calc/materials.h"
#include "design/data_sheet.h"
#include "design/design_address.h"
#include "design/design_file.h"
#include "design/design_view.h"
#include "design/face_words.h"
#include "design/plot_axis.h"
#include "design/plot_layout.h"
#include "design/selection.h"
#include "design/sheet_text.h"
#include "design/translations.h"
#include "rows/fatigue_text.h"
#include "rows/option_text.h"
#include "rows/selection_text.h"
#include "runtime/number_text.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

// The page's font measures text in the worker (an OffscreenCanvas), so that the engine lays the
// plot out for the very face the page draws it in. (clang-format would read the JavaScript as
// C++ and change it.)
// clang-format off
EM_JS(double, ds_text_width, (const char* font, const char* text, int size), {
    const context = self.dsMeasure || (self.dsMeasure = new OffscreenCanvas(1, 1).getContext('2d'));
    const wanted = UTF8ToString(font);
    if (self.dsFont !== wanted) {
        context.font = self.dsFont = wanted;  // the canvas parses a font it is given anew
    }
    return context.measureText(UTF8ToString(text, size)).width;
});
EM_JS(double, ds_font_extent, (const char* font, int descent), {
    const context = self.dsMeasure || (self.dsMeasure = new OffscreenCanvas(1, 1).getContext('2d'));
    context.font = self.dsFont = UTF8ToString(font);
    const m = context.measureText('国Ag');
    const value = descent ? m.fontBoundingBoxDescent : m.fontBoundingBoxAscent;
    const size = parseFloat(context.font) || 12;
    return value > 0 ? value : size * (descent ? 0.22 : 0.9);
});
// clang-format on
#endif

namespace {

using Json = nlohmann::json;

// How the page's font measures: in the browser, the font itself; natively (the tests), widths
// near a Chinese face's: a full em a character beyond ASCII, about half one within.
design::TextMetrics PageMetrics(const std::string& font) {
#ifdef __EMSCRIPTEN__
    const double ascent = ds_font_extent(font.c_str(), 0);
    const double descent = ds_font_extent(font.c_str(), 1);
    return {[font](std::string_view text) {
                return ds_text_width(font.c_str(), text.data(), static_cast<int>(text.size()));
            },
            ascent, descent, ascent + descent};
#else
    constexpr double kSize = 12;
    (void)font;
    return {[](std::string_view text) {
                double width = 0;
                for (const char c : text) {
                    const auto byte = static_cast<unsigned char>(c);
                    width += byte < 0x80 ? 0.55 * kSize : (byte & 0xC0) == 0xC0 ? kSize : 0;
                }
                return width;
            },
            0.9 * kSize, 0.22 * kSize, 1.12 * kSize};
#endif
}

// The text of the last answer: the caller reads it before its next call.
std::string answer;
// The language the page speaks (ds_language): every word of an answer is said in it.
rows::Language language = rows::Language::kChinese;

// A phrase or a face word in the page's language.
std::string Words(const rows::Phrase& phrase) {
    return std::string(rows::Said(phrase, language));
}
std::string Words(design::Word word) {
    return std::string(design::Said(word, language));
}

template <std::size_t N>
Json SaidAll(const std::array<rows::Phrase, N>& phrases) {
    Json out = Json::array();
    for (const rows::Phrase& phrase : phrases) {
        out.push_back(Words(phrase));
    }
    return out;
}
// The sheet of the last ds_sheet, and its plot as laid out for the page.
design::Sheet sheet;
std::optional<design::TextMetrics> page_metrics;  // of the page's font, measured once a sheet
std::optional<design::PlotLayout> page_plot;

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

Json Colour(const std::optional<design::Rgb>& rgb) {
    return rgb ? Json(Colour(*rgb)) : Json(nullptr);
}

// Shapes as the page draws them, with short keys: a plot holds a few thousand.
Json ShapesJson(const std::vector<design::Shape>& shapes) {
    Json out = Json::array();
    for (const design::Shape& shape : shapes) {
        Json points = Json::array();
        for (const design::Point& p : shape.points) {
            points.push_back({p.x, p.y});
        }
        Json made = {{"k", design::SvgName(shape)}, {"p", points}};
        const auto set = [&made](const char* key, Json value) { made[key] = std::move(value); };
        if (shape.radius > 0)
            set("r", shape.radius);
        if (shape.stroke)
            set("s", Colour(shape.stroke));
        if (shape.stroke_width > 0)
            set("w", shape.stroke_width);
        if (shape.dashed)
            set("d", true);
        if (shape.fill)
            set("f", Colour(shape.fill));
        if (shape.fill_alpha < 1)
            set("a", shape.fill_alpha);
        if (!shape.text.empty())
            set("t", shape.text);
        if (shape.anchor != design::Anchor::kStart)
            set("n", design::SvgAnchor(shape.anchor));
        if (shape.upright)
            set("u", true);
        if (shape.clip) {
            set("c", {shape.clip->left, shape.clip->top, shape.clip->width, shape.clip->height});
        }
        if (shape.series >= 0) {
            set("panel", shape.panel);
            set("series", shape.series);
        }
        out.push_back(std::move(made));
    }
    return out;
}

// The plot laid out for the page: its shapes, and where each panel stands with its axes' ranges,
// for the read-out under the mouse.
Json PlotJson(const design::PlotLayout& layout) {
    Json panels = Json::array();
    for (int p = 0; p < layout.count(); ++p) {
        const design::Rect f = layout.frame(p);
        panels.push_back({{"shown", layout.shown(p)},
                          {"frame", {f.left, f.top, f.width, f.height}},
                          {"x", {layout.x(p).low, layout.x(p).high}}});
    }
    return {{"shapes", ShapesJson(design::PlotShapes(layout, *page_metrics))}, {"panels", panels}};
}

Json SheetJson(const design::DesignTexts& texts, double width, double height) {
    Json points = Json::array();
    for (int k = 0; k < 2; ++k) {
        points.push_back({{"given", sheet.points[static_cast<std::size_t>(k)].given},
                          {"cells", design::PointRow(sheet, k).cells},
                          {"reader", design::PointRow(sheet, k, rows::Precision::kReader).cells}});
    }
    Json sections = Json::array();
    const design::DataSheet data = design::DataSheetOf(sheet, Words(design::Word::kComputedByPage));
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
    page_plot.emplace(sheet.plot, design::Rect{0, 0, width, height}, *page_metrics);
    return {{"header", Strings(design::HeaderCells(sheet))},
            {"rows", design::TableRowCount(sheet)},
            {"points", points},
            {"summary", Strings(design::Summary(sheet))},
            {"test", Strings(design::TestLines(sheet))},
            {"findings", Strings(design::FindingSentences(sheet))},
            {"codes", Strings(design::FindingCodes(sheet))},
            {"caption", design::Caption(sheet)},
            {"dataSheet", {{"title", data.title}, {"sections", sections}}},
            {"noTable", design::NoTable(sheet)},
            {"noPlot", design::NoPlot(sheet)},
            {"noDataSheet", design::NoDataSheet(sheet)},
            {"material",
             [&texts] {
                 const auto picked = design::MaterialPicked(texts);
                 return picked ? static_cast<int>(*picked) : -1;
             }()},
            {"plot", PlotJson(*page_plot)}};
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
    return Json{{"file", design::DesignToJson(texts)},
                {"address", design::DesignAddress(texts)},
                {"fatigueReading", rows::FatigueLinesReading(texts.fatigue_lines, language)},
                {"view", design::DesignToView(texts)}};
}

// A computed point of the kept sheet's plot, for the read-out: where it is, what is said of it,
// and the shapes that mark it.
Json PointAnswer(const design::PlotPoint& hover) {
    const design::PlotPanel& shown = sheet.plot[static_cast<std::size_t>(hover.panel)];
    const design::PlotSeries& series = shown.series[static_cast<std::size_t>(hover.series)];
    const design::Point& p = series.points[static_cast<std::size_t>(hover.point)];
    return Json{
        {"index", hover.point},
        {"count", series.points.size()},
        {"panel", hover.panel},
        {"series", hover.series},
        {"x", p.x},
        {"xText", design::ValueText(p.x, shown.x_unit)},
        {"yText", design::ValueText(p.y, series.unit)},
        {"said", design::ReadOut(shown, series, p)},
        {"shapes", page_plot ? ShapesJson(design::HoverShapes(*page_plot, hover, *page_metrics))
                             : Json::array()}};
}

// Computes and keeps a design's sheet, its plot laid out for the page: what ds_sheet answers.
Json SheetOf(const design::DesignTexts& texts, int width, int height, const char* font) {
    sheet = design::ComputeSheet(texts, language);
    page_metrics = PageMetrics(font);
    return SheetJson(texts, std::max(width, 200), std::max(height, 150));
}

const char* DesignOrError(
    const runtime::Expected<design::DesignTexts, design::DesignFileProblem>& texts) {
    return Answer(texts ? DesignAnswer(*texts)
                        : Json{{"error", design::DesignFileProblemText(texts.error(), language)}});
}

std::string_view Bytes(const char* bytes, int size) {
    return size > 0 ? std::string_view(bytes, static_cast<std::size_t>(size)) : std::string_view();
}

// The catalogue's springs by name, "A 8" … "C 250", as a packet's spring may be typed.
Json CatalogueNames() {
    Json names = Json::array();
    for (const calc::CatalogueSpring& spring : calc::Din2093()) {
        names.push_back(spring.Name());
    }
    return names;
}

}  // namespace

extern "C" {

const char* ds_language(const char* tag) {
    language = rows::LanguageOfTag(tag);
    return Answer(Json{{"language", rows::LanguageTag(language)}});
}

const char* ds_inputs() {
    Json inputs = Json::array();
    for (const design::InputField& input : design::kInputs) {
        inputs.push_back({{"label", Words(input.label)},
                          {"name", Words(input.name)},
                          {"hint", Words(input.hint)},
                          {"key", input.key},
                          {"count", input.kind == design::InputKind::kCount}});
    }
    Json materials = Json::array();
    for (std::size_t k = 0; k < calc::kMaterials.size(); ++k) {
        const calc::Material& m = calc::kMaterials[k].material;
        materials.push_back({{"name", rows::MaterialName(k, language)},
                             {"E", std::string(runtime::NumberToText(m.E).view())},
                             {"mu", std::string(runtime::NumberToText(m.mu).view())},
                             {"Rm", m.Rm ? std::string(runtime::NumberToText(*m.Rm).view()) : ""}});
    }
    Json loads = Json::array();
    for (const design::LoadChoice& choice : design::kLoads) {
        loads.push_back({{"key", choice.key}, {"label", Words(choice.label)}});
    }
    Json requirement = Json::array();
    for (const design::RequirementField& input : design::kRequirementInputs) {
        requirement.push_back(
            {{"label", Words(input.label)}, {"hint", Words(input.hint)}, {"key", input.key}});
    }
    Json words = Json::object();
    for (const design::FaceWord& word : design::kFaceWords) {
        words[std::string(word.key)] = Words(word.word);
    }
    for (std::size_t k = 0; k < design::kPointNames.size(); ++k) {
        words["point-name-" + std::to_string(k + 1)] = Words(design::kPointNames[k]);
    }
    Json points = Json::array();
    for (const design::RequirementPointField& field : design::kRequirementPointFields) {
        points.push_back(
            {{"key", field.key}, {"caption", Words(field.caption)}, {"hint", Words(field.hint)}});
    }
    Json packet_fields = Json::array();
    for (const design::PacketField& field : design::kPacketFields) {
        packet_fields.push_back(
            {{"key", field.key}, {"caption", Words(field.caption)}, {"hint", Words(field.hint)}});
    }
    return Answer(Json{
        {"language", rows::LanguageTag(language)},
        {"inputs", inputs},
        {"packets",
         {{"label", Words(design::kPacketsLabel)},
          {"hint", Words(design::kPacketsHint)},
          {"fields", packet_fields},
          {"names", CatalogueNames()},
          {"standFor", design::kPacketsStandFor}}},
        {"words", words},
        {"requirement", requirement},
        {"requirementPoints", SaidAll(design::kRequirementPointNames)},
        {"points", SaidAll(design::kPointNames)},
        {"materials", materials},
        {"designFileBytes", design::kMaxDesignFileBytes},
        {"fatigueFileBytes", calc::kMaxFatigueFileBytes},
        {"catalogueBytes", kMaxCatalogueBytes},
        {"materialBefore", design::kMaterialPickerBefore},
        {"fatigueHint", Words(design::kFatigueLinesHint)},
        {"load",
         {{"label", Words(design::kLoadLabel)},
          {"hint", Words(design::kLoadHint)},
          {"choices", loads}}},
        {"longStacks",
         {{"label", Words(design::kLongStacksLabel)}, {"hint", Words(design::kLongStacksHint)}}},
        {"outerEdge",
         {{"label", Words(design::kOuterEdgeLabel)}, {"hint", Words(design::kOuterEdgeHint)}}},
        {"material",
         {{"label", Words(design::kMaterialLabel)}, {"other", Words(design::kOtherMaterial)}}},
        {"pointBy",
         {{"choices", SaidAll(design::kPointByChoices)},
          {"name", Words(design::kPointByName)},
          {"hint", Words(design::kPointByHint)},
          {"valueHint", Words(design::kPointHint)}}},
        {"requirementPoint",
         {{"given", SaidAll(design::kGivenChoices)},
          {"givenName", Words(design::kGivenName)},
          {"fields", points},
          {"second", Words(design::kSecondPointHint)},
          {"dynamic", Words(design::kDynamicCaption)}}},
        {"fresh", DesignAnswer(design::DefaultTexts())}});
}

const char* ds_design_check(const char* bytes, int size) {
    return DesignOrError(design::DesignFromJson(Bytes(bytes, size)));
}

const char* ds_fatigue_file(const char* bytes, int size, const char* name) {
    const auto text = calc::FatigueFileText(Bytes(bytes, size));
    if (!text) {
        return Answer(Json{{"error", rows::FatigueFileProblemText(text.error(), name, language)}});
    }
    return Answer(Json{{"text", std::string(*text)}});
}

const char* ds_design_address(const char* fragment) {
    return DesignOrError(design::DesignFromAddress(fragment));
}

const char* ds_edit(const char* view_json, int width, int height, const char* font) {
    const auto texts = design::DesignFromView(view_json);
    if (!texts) {
        return Answer(Json{{"error", design::DesignFileProblemText(texts.error(), language)}});
    }
    Json edit = DesignAnswer(*texts);
    if (width > 0) {
        edit["sheet"] = SheetOf(*texts, width, height, font);
    }
    return Answer(edit);
}

const char* ds_sheet(const char* file_text, int width, int height, const char* font) {
    const auto texts = design::DesignFromJson(file_text);
    if (!texts) {
        return Answer(Json{{"error", design::DesignFileProblemText(texts.error(), language)}});
    }
    return Answer(SheetOf(*texts, width, height, font));
}

const char* ds_picture(int width, int height, int with_caption) {
    if (!page_metrics) {
        return Answer(Json{{"error", Words(design::Word::kNoDesignYet)}});
    }
    const design::Picture picture =
        design::PictureShapes(sheet.plot, with_caption ? design::Caption(sheet) : std::string(),
                              std::max(width, 200), std::max(height, 150), *page_metrics);
    return Answer(Json{{"width", picture.width},
                       {"height", picture.height},
                       {"shapes", ShapesJson(picture.shapes)}});
}

const char* ds_sheet_rows(int from, int count) {
    Json rows = Json::array();
    const std::size_t size = design::TableRowCount(sheet);
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
        return Answer(Json{{"error", Words(design::Word::kNoSuchCurve)}});
    }
    const std::vector<design::Point>& points =
        sheet.plot[static_cast<std::size_t>(panel)].series[static_cast<std::size_t>(series)].points;
    if (points.empty()) {
        return Answer(Json{{"error", Words(design::Word::kCurveWithoutPoints)}});
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
    return Answer(PointAnswer({panel, series, static_cast<int>(at)}));
}

const char* ds_plot_at(double x, double y) {
    const design::PlotPoint hit = page_plot ? page_plot->nearest({x, y}, 24) : design::PlotPoint{};
    return Answer(hit.valid() ? PointAnswer(hit)
                              : Json{{"error", Words(design::Word::kNoCurveNear)}});
}

const char* ds_sheet_copy() {
    return Answer(design::CopyText(sheet));
}

const char* ds_select(const char* file_text, int best) {
    const auto texts = design::DesignFromJson(file_text);
    if (!texts) {
        return Answer(Json{{"error", design::DesignFileProblemText(texts.error(), language)}});
    }
    const design::SelectionSheet chosen =
        design::ComputeSelection(*texts, ShownBest(best), language);
    Json rows = Json::array();
    const auto shown = chosen.problem ? std::vector<const calc::Candidate*>{} : chosen.Shown();
    for (std::size_t row = 0; row < shown.size(); ++row) {
        rows.push_back({{"cells", design::SelectionRowCells(chosen, row, rows::Precision::kReader)},
                        {"every", design::SelectionRowCells(chosen, row, rows::Precision::kEvery)},
                        {"keys", SortKeys(design::SelectionSortKeys(chosen, row))},
                        {"name", rows::CandidateName(*shown[row], calc::Din2093(), language)},
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
        return Answer(Json{{"error", design::DesignFileProblemText(texts.error(), language)}});
    }
    const design::SelectionSheet chosen =
        design::ComputeSelection(*texts, ShownBest(best), language);
    if (chosen.problem || row < 0 || static_cast<std::size_t>(row) >= chosen.Shown().size()) {
        return Answer(Json{{"error", Words(design::Word::kNoSuchCandidate)}});
    }
    return Answer(Json{{"file", design::DesignToJson(design::OpenCandidate(
                                    *texts, chosen, static_cast<std::size_t>(row)))}});
}

const char* ds_batch(const char* args_json, const char* bytes, int size) {
    const auto refuse = [](const std::string& why) {
        return Answer(Json{{"status", 2}, {"output", ""}, {"error", why}});
    };
    const std::string_view input = Bytes(bytes, size);
    // In the page's language unless the options ask for another (the last --lang holds).
    std::vector<std::string> args = {"--lang", std::string(rows::LanguageTag(language))};
    if (!StringsOf(args_json, args)) {
        return refuse(std::string(Words(design::Word::kArgumentsNotTexts)));
    }
    const std::vector<std::string_view> views(args.begin(), args.end());
    const auto parsed = batch::ParseBatchArguments(views);
    if (!parsed || parsed->help || parsed->files != std::vector<std::string>{"-"} ||
        !parsed->fatigue_file.empty() || !parsed->stack_file.empty()) {
        return refuse(parsed ? std::string(Words(design::Word::kNoFilesHere)) : parsed.error());
    }
    std::string out;
    if (parsed->design) {
        auto texts = design::DesignFromJson(input);
        if (!texts) {
            return refuse(design::DesignFileProblemText(texts.error(), language));
        }
        if (parsed->load) {
            texts->load = *parsed->load;
        }
        const batch::DesignOutcome outcome =
            batch::AnswerDesign(*texts, out, parsed->options.language);
        return Answer(Json{{"status", outcome.computed ? 0 : 1},
                           {"output", out},
                           {"error", outcome.lines_problem}});
    }
    if (input.size() > kMaxCatalogueBytes) {
        return refuse(design::Fill(design::Word::kCatalogueLargerThan, language,
                                   {{"size", std::to_string(kMaxCatalogueBytes >> 20)}}));
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
            return refuse(design::Fill(design::Word::kAnswerTooLarge, language,
                                       {{"size", std::to_string(kMaxAnswerBytes >> 20)}}));
        }
    }
    stream.Finish(out);
    const int status = !stream.all_computed() ? 1 : stream.nothing_fits() ? 3 : 0;
    return Answer(Json{{"status", status}, {"output", out}, {"error", ""}});
}
}
