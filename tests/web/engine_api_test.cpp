// The browser edition's engine interface, natively: the same answers the page gets, checked
// against the desktop's own functions, and every malformed call answered, never trusted.

#include "web/engine_api.h"
#include "web/calculator_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>

#include "calc/materials.h"
#include "design/design_file.h"
#include "design/plot_layout.h"
#include "design/sheet_text.h"
#include "scenarios/scenarios.h"

namespace {

using Json = nlohmann::json;

Json Parsed(const char* answer) {
    return Json::parse(answer);
}

Json Command(const char* name, const Json& boxes) {
    return Parsed(ds_command(name, boxes.dump().c_str()));
}

Json Batch(const Json& args, std::string_view input) {
    return Parsed(ds_batch(args.dump().c_str(), input.data(), static_cast<int>(input.size())));
}

Json Check(std::string_view bytes) {
    return Parsed(ds_design_check(bytes.data(), static_cast<int>(bytes.size())));
}

// The calculator's scenarios, through the page's call: a face without a keyboard, so Enter on a
// button is its command and focus, Tab and keys in a box are not its business.
TEST(EngineApi, TheCalculatorsScenarios) {
    for (const Json& scenario : scenarios::Calculator()) {
        SCOPED_TRACE(scenario["name"].get<std::string>());
        Json boxes(std::vector<std::string>(10, ""));
        Json report;
        for (const Json& step : scenario["steps"]) {
            if (step.contains("type")) {
                for (std::size_t i = 0; i < step["type"].size(); ++i) {
                    boxes[i] = step["type"][i];
                }
            } else if (step.contains("press") || step.contains("enter")) {
                const Json& button = step.contains("press") ? step["press"] : step["enter"];
                const Json shown = Command(button == "Command1" ? "calculate" : "clear", boxes);
                boxes = shown["boxes"];
                report = shown["report"];
            } else if (step.contains("report")) {
                ASSERT_FALSE(report.is_null());
                EXPECT_EQ(report, Json({{"title", "碟形弹簧的设计计算"},
                                        {"text", step["report"]},
                                        {"button", "确定"}}));
                EXPECT_EQ(boxes, step["shows"]);
                report = nullptr;
            } else if (step.contains("shows")) {
                EXPECT_TRUE(report.is_null()) << report;
                EXPECT_EQ(boxes, step["shows"]);
            }
        }
    }
}

TEST(EngineApi, AMalformedCommandIsRefused) {
    const std::string typed = R"(["100","51","3.5","6.3","1.4","","","","",""])";
    for (const auto& [name, boxes] : {std::pair<const char*, std::string>{"run", typed},
                                      {"clear", R"(["1","2"])"},
                                      {"clear", R"(["1",2,"3","4","5","6","7","8","9","10"])"},
                                      {"clear", "not json"}}) {
        EXPECT_TRUE(Parsed(ds_command(name, boxes.c_str())).contains("error")) << boxes;
    }
}

TEST(EngineApi, DesignFilesAreJudgedOnTheirBytes) {
    const std::string fresh = Parsed(ds_inputs())["fresh"]["file"];
    EXPECT_EQ(Check(fresh)["file"], fresh);
    // A NUL, bytes that are not UTF-8 or one byte too many are the file's, and refuse it.
    const std::string cases[] = {fresh + std::string(1, '\0') + "}", fresh.substr(0, 20) + "\xff",
                                 fresh + std::string(design::kMaxDesignFileBytes, ' ')};
    for (const std::string& bytes : cases) {
        EXPECT_TRUE(Check(bytes).contains("error")) << bytes.size();
    }
    // Only `size` bytes count.
    const std::string padded = fresh + "garbage";
    EXPECT_EQ(Parsed(ds_design_check(padded.data(), static_cast<int>(fresh.size())))["file"],
              fresh);
    EXPECT_TRUE(Parsed(ds_design_check(nullptr, 0)).contains("error"));
    // A line set's file: its text for the box (without a byte-order mark), or why not in the
    // batch tool's words.
    EXPECT_EQ(Parsed(ds_fatigue_file("\xEF\xBB\xBF"
                                     "1\t2",
                                     6, "a.tsv"))["text"],
              "1\t2");
    EXPECT_EQ(Parsed(ds_fatigue_file("\xca\xd6", 2, "b"))["error"],
              "疲劳线文件 'b' 不是 UTF-8 文字，不读");
}

// The page holds a design only as the engine answers it: texts by field to edit, the file to
// save and the address to share, and each of them gives back the same design.
TEST(EngineApi, TheFormsTextsTheFileAndTheAddressAreOneDesign) {
    design::DesignTexts texts = design::DefaultTexts();
    texts.D = "4\u202e05";
    texts.points[1] = {design::PointBy::kForce, "5000"};
    texts.requirement.bore = "80.5";
    const std::string file = design::DesignToJson(texts);
    const Json answer = Check(file);
    EXPECT_EQ(answer["view"]["fields"]["D"], texts.D);
    EXPECT_EQ(answer["view"]["points"][1], Json({{"by", "F"}, {"value", "5000"}}));
    EXPECT_EQ(answer["view"]["requirement"]["bore"], "80.5");
    // An edit is one call: the design, and with a size its sheet, as ds_sheet gives it.
    const Json edited = Parsed(ds_edit(answer["view"].dump().c_str(), 0, 0, ""));
    EXPECT_EQ(edited["file"], file);
    EXPECT_FALSE(edited.contains("sheet"));
    const Json sheet =
        Parsed(ds_edit(answer["view"].dump().c_str(), 300, 200, "12px serif"))["sheet"];
    EXPECT_EQ(sheet, Parsed(ds_sheet(file.c_str(), 300, 200, "12px serif")));
    const Json opened = Parsed(ds_design_address(answer["address"].get<std::string>().c_str()));
    EXPECT_EQ(opened["file"], file);
    // Standard base64's alphabet and padding, as some programs pass a link on, read the same.
    std::string standard = answer["address"];
    std::replace(standard.begin(), standard.end(), '-', '+');
    std::replace(standard.begin(), standard.end(), '_', '/');
    standard.append((4 - standard.size() % 4) % 4, '=');
    EXPECT_EQ(Parsed(ds_design_address(standard.c_str()))["file"], file);

    Json unknown = answer["view"];
    unknown["fields"]["colour"] = "red";
    const std::string huge(design::kMaxDesignFileBytes * 2, 'A');
    const std::pair<std::string, std::string> refused[] = {
        {ds_edit(unknown.dump().c_str(), 0, 0, ""), "colour"},
        {ds_edit("[1]", 0, 0, ""), "需要"},
        {ds_edit("{\"fields\"", 0, 0, ""), "JSON"},  // not JSON: refused, never thrown
        {ds_design_address("eyJ9*"), "base64url"},
        {ds_design_address("eyJ9A"), "base64url"},  // a character left over is no byte
        {ds_design_address(huge.c_str()), "MiB"},
        {ds_design_address(""), "JSON"}};
    for (const auto& [said, why] : refused) {
        EXPECT_NE(Parsed(said.c_str())["error"].get<std::string>().find(why), std::string::npos)
            << said;
    }
}

TEST(EngineApi, TheSheetsRowsAndCopyAreTheDesignCoresOwn) {
    const Json inputs = Parsed(ds_inputs());
    EXPECT_EQ(inputs["materials"].size(), calc::kMaterials.size());
    EXPECT_EQ(inputs["designFileBytes"], design::kMaxDesignFileBytes);
    design::DesignTexts texts = design::DefaultTexts();
    texts.steps = "1000";
    texts.points[0] = {design::PointBy::kForce, "5000"};
    const std::string file = design::DesignToJson(texts);
    const Json sheet = Parsed(ds_sheet(file.c_str(), 300, 400, "12px sans-serif"));
    const design::Sheet native = design::ComputeSheet(texts);
    EXPECT_EQ(sheet["rows"], 1001);
    EXPECT_EQ(sheet["codes"], Json(design::FindingCodes(native)));
    EXPECT_EQ(sheet["points"][0]["cells"], Json(design::PointRow(native, 0).cells));
    EXPECT_EQ(std::string(ds_sheet_copy()), design::CopyText(native));
    // Each curve thinned to its frame's columns keeps at most a few points a column, and
    // stays inside the plot; the read-out gives the computed point itself.
    int curves = 0;
    for (const Json& shape : sheet["plot"]["shapes"]) {
        for (const Json& point : shape["p"]) {
            EXPECT_TRUE(point[0] >= 0 && point[0] <= 300 && point[1] >= 0 && point[1] <= 400);
        }
        if (shape.contains("series")) {
            ++curves;
            EXPECT_LE(shape["p"].size(), 4u * 300u + 2u);
        }
    }
    EXPECT_GE(curves, 2);
    const Json last = Parsed(ds_plot_point(0, 0, 5000, 0));
    EXPECT_EQ(last["index"], 1000);
    EXPECT_EQ(last["said"], design::ReadOut(native.plot[0], native.plot[0].series[0],
                                            native.plot[0].series[0].points[1000]));
    EXPECT_EQ(Parsed(ds_plot_point(0, 0, -1, 0.0))["index"], 0);
    EXPECT_EQ(Parsed(ds_plot_point(0, 0, -1, 2.8))["index"], 1000);
    EXPECT_FALSE(Parsed(ds_plot_point(0, 0, 3, 0))["shapes"].empty());
    EXPECT_TRUE(Parsed(ds_plot_point(9, 0, 0, 0)).contains("error"));
    // Under the mouse, the window's own hit test: at a curve's drawn point, that curve's point.
    for (const Json& shape : sheet["plot"]["shapes"]) {
        if (shape.contains("series") && shape["p"].size() > 2) {
            const Json at = Parsed(ds_plot_at(shape["p"][2][0], shape["p"][2][1]));
            EXPECT_FALSE(at.contains("error"));
            EXPECT_EQ(at["said"],
                      Parsed(ds_plot_point(at["panel"], at["series"], at["index"], 0))["said"]);
        }
    }
    EXPECT_TRUE(Parsed(ds_plot_at(-1000, -1000)).contains("error"));
    const Json picture = Parsed(ds_picture(900, 700, 1));
    EXPECT_GT(picture["height"].get<double>(), 700);  // the caption below
    // Rows asked for past either end are left out; the rows given are the core's.
    const Json rows = Parsed(ds_sheet_rows(-5, 8))["rows"];
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2]["cells"], Json(design::TableRowAt(native, 2).cells));
    EXPECT_EQ(Parsed(ds_sheet_rows(999, 10))["rows"].size(), 2u);
    EXPECT_TRUE(Parsed(ds_sheet_rows(2000, 10))["rows"].empty());
    EXPECT_TRUE(Parsed(ds_sheet("[]", 300, 400, "12px serif")).contains("error"));
}

TEST(EngineApi, BatchCallsTakeOptionsButNeverFileNames) {
    const Json plain = Batch({"--check"}, "100\t51\t3.5\t6.3\t1.4\n50\t50\t1\t2\t1");
    EXPECT_EQ(plain["status"], 1);
    const std::string output = plain["output"];
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 2);
    for (const Json& args : {Json{"--help"}, Json{"file.tsv"}, Json{"--curve", "0"},
                             Json{"--design", "--fatigue", "lines.tsv"},
                             Json{"--stack", "stack.tsv"}, Json{"--check", 1}, Json::object()}) {
        const Json refused = Batch(args, "");
        EXPECT_EQ(refused["status"], 2) << args;
        EXPECT_FALSE(refused["error"].get<std::string>().empty()) << args;
    }
    // The page's limits: a catalogue too large, and an answer that would grow too large, are
    // refused early with a reason that points to the batch tool.
    const Json large = Batch(Json::array(), std::string(kMaxCatalogueBytes + 1, '1'));
    EXPECT_EQ(large["status"], 2);
    EXPECT_NE(large["error"].get<std::string>().find("disc-spring-batch"), std::string::npos);
    std::string curves;
    for (int k = 0; k < 100; ++k) {
        curves += "100\t51\t3.5\t6.3\n";
    }
    const Json grown = Batch({"--curve", "100000"}, curves);
    EXPECT_EQ(grown["status"], 2);
    EXPECT_NE(grown["error"].get<std::string>().find("64 MiB"), std::string::npos);
    EXPECT_EQ(Batch({"--curve", "100000"}, "100\t51\t3.5\t6.3")["status"], 0);  // one is fine
    const Json design =
        Batch({"--design"}, Parsed(ds_inputs())["fresh"]["file"].get<std::string>());
    EXPECT_EQ(design["status"], 0);
    EXPECT_NE(design["output"].get<std::string>().find("\n检查\t"), std::string::npos);
    EXPECT_EQ(Batch({"--design"}, "{")["status"], 2);
}

TEST(EngineApi, TheSelectionAndItsCandidatesOpenAsDesigns) {
    const std::string fresh = Parsed(ds_inputs())["fresh"]["file"];
    const Json selection = Parsed(ds_select(fresh.c_str(), 0));
    ASSERT_TRUE(selection["problem"].is_null());
    ASSERT_FALSE(selection["rows"].empty());
    EXPECT_EQ(selection["rows"][0]["name"], "DIN 2093 A 40");
    EXPECT_EQ(selection["rows"][0]["cells"].size(), selection["header"].size());
    EXPECT_NE(selection["copy"].get<std::string>().find("\tA 40\t"), std::string::npos);
    const int last = static_cast<int>(selection["rows"].size()) - 1;
    EXPECT_TRUE(selection["rows"][static_cast<std::size_t>(last)]["special"].get<bool>());
    const Json opened = Parsed(ds_open_candidate(fresh.c_str(), 0, 0));
    const auto texts = design::DesignFromJson(opened["file"].get<std::string>());
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->D, "40");
    EXPECT_EQ(texts->points[0].value, "1.2");
    for (const int row : {-1, last + 1}) {
        EXPECT_TRUE(Parsed(ds_open_candidate(fresh.c_str(), 0, row)).contains("error")) << row;
    }
    EXPECT_TRUE(Parsed(ds_select("{", 5)).contains("error"));
}

}  // namespace
