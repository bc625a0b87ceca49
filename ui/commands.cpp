// The calculate and clear commands over the ten text boxes.
#include "ui/commands.h"

#include <string>

#include "calc/spring_text.h"

namespace ui {

void Calculate(const TextBoxes& boxes, const FaultReporter& report) {
    std::array<std::string, 5> texts;
    calc::InputTexts inputs;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = boxes[i]->Text();
        inputs[i] = texts[i];
    }

    const auto results = calc::CalculateTexts(inputs);
    if (!results) {
        // Results left standing beside inputs they do not belong to would mislead: the program
        // goes on after the report.
        for (std::size_t i = 5; i < boxes.size(); ++i) {
            boxes[i]->SetText({});
        }
        report(results.error());
        return;
    }
    for (std::size_t i = 0; i < results->size(); ++i) {
        boxes[5 + i]->SetText((*results)[i].view());
    }
}

void Clear(const TextBoxes& boxes) {
    for (TextBox* box : boxes) {
        box->SetText({});
    }
}

}  // namespace ui
