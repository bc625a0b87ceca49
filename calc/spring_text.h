// From the texts of the five boxes to the texts of the five results, as the calculator does it.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "calc/disc_spring.h"
#include "calc/row.h"
#include "runtime/expected.h"
#include "runtime/number_text.h"

namespace calc {

/// The texts of the five input boxes D, d, t, H, f (UTF-8).
using InputTexts = std::array<std::string_view, 5>;

/// The texts of the five result boxes F, σom, σ1, σ2, σ3.
using ResultTexts = std::array<runtime::NumberText, 5>;

/// Reads the five texts in order as numbers. A text that reads as a number too large for a
/// double faults (overflow) with the input's quantity.
runtime::Expected<SpringInputs, SpringFault> ReadInputs(const InputTexts& inputs);

/// Reads a line's texts as a row's inputs: D, d, t, H, f, or with contact flats D, d, t, t′, H,
/// f (the last one may be a force instead of f; it is read all the same). Needs 5 or 6 texts.
runtime::Expected<RowInputs, SpringFault> ReadRowInputs(std::span<const std::string_view> texts,
                                                        bool flats);

/// The inputs among a line's texts (as ReadRowInputs takes them) whose text holds more than
/// its leading number, blank ones apart: "3,5" reads 3, and the user should know.
std::vector<Quantity> PartlyRead(std::span<const std::string_view> texts, bool flats);

/// What a click of the calculate button computes: reads the five texts in order as numbers,
/// evaluates the model, and formats the five results. A text that reads as a number too large
/// for a double faults (overflow) with the input's quantity; nothing partial is returned.
runtime::Expected<ResultTexts, SpringFault> CalculateTexts(const InputTexts& inputs);

}  // namespace calc
