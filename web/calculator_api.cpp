// The calculator's two commands for the page, on ten boxes held in memory for one command.
#include "web/calculator_api.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

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

const char* Answer(const Json& json) {
    answer = json.dump(-1, ' ', false, Json::error_handler_t::replace);
    return answer.c_str();
}

}  // namespace

extern "C" {

const char* ds_command(const char* command, const char* boxes_json) {
    const Json parsed = Json::parse(boxes_json, nullptr, false);
    const std::string name = command;
    const bool ten =
        parsed.is_array() && parsed.size() == 10 &&
        std::all_of(parsed.begin(), parsed.end(), [](const Json& box) { return box.is_string(); });
    if (!ten || (name != "calculate" && name != "clear")) {
        return Answer(Json{{"error", "需要命令 calculate 或 clear 和十个框的文字"}});
    }
    std::array<MemoryBox, 10> memory;
    ui::TextBoxes boxes{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i].text = parsed[i].get<std::string>();
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
}
