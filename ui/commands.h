// The calculator's two commands, over any ten text boxes.
#pragma once

#include <functional>

#include "calc/disc_spring.h"
#include "ui/text_box.h"

namespace ui {

/// Receives a fault that ended the calculate command, for the user to be told of it.
using FaultReporter = std::function<void(const calc::SpringFault&)>;

/// The calculate command (button "自动计算"): reads Text1 … Text5 in order, evaluates the
/// model, then writes F, σom, σ1, σ2, σ3 into Text6 … Text10. On any fault it writes no result:
/// it empties Text6 … Text10, in that order, and then hands the fault to `report`. Never
/// touches an input box and never reads an output box.
void Calculate(const TextBoxes& boxes, const FaultReporter& report);

/// The clear command (button "重新输入"): empties Text1 … Text10, in that order.
void Clear(const TextBoxes& boxes);

}  // namespace ui
