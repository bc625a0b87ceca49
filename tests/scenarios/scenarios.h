// The scenario tables every face shares (calculator.json, design.json), for the C++ drivers: the
// Qt windows, the Win32 window and the engine. Each is a list of {"name", "steps"}.
#pragma once

#include <nlohmann/json.hpp>

namespace scenarios {

inline const nlohmann::json& Calculator() {
    static const nlohmann::json table = nlohmann::json::parse(
#include "scenarios/calculator.inc"
        )["scenarios"];
    return table;
}

inline const nlohmann::json& Design() {
    static const nlohmann::json table = nlohmann::json::parse(
#include "scenarios/design.inc"
        )["scenarios"];
    return table;
}

}  // namespace scenarios
