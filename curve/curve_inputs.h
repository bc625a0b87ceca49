#pragma once

#include <array>
#include <string>

namespace curve {

/// A working point as typed: the quantity it is given by, and its value (blank: none).
struct WorkingPointText {
    enum class By {
        kDeflection,  ///< f of one spring, or a stack's travel s
        kForce,       ///< F of one spring, or a stack's force F_stack
    };
    By by = By::kDeflection;
    std::string value;

    friend bool operator==(const WorkingPointText&, const WorkingPointText&) = default;
};

/// Every input of the characteristic window as typed (UTF-8), read by the calculator's box
/// rules: the spring, the end of the curve (blank: flat), the stack (blank: 1), the number of
/// steps (blank: 50), the reduced thickness t′ of a spring with contact flats (blank: none), the
/// material (blank: spring steel, 206000 MPa and 0.3), the friction coefficients (both blank:
/// none; one blank: 0) and two working points.
struct CurveInputTexts {
    std::string D, d, t, H, f_end;
    std::string series, parallel, steps;
    std::string t_reduced, E, mu, w_M, w_R;
    std::array<WorkingPointText, 2> points;

    friend bool operator==(const CurveInputTexts&, const CurveInputTexts&) = default;
};

/// The worked example, as the window opens without arguments.
CurveInputTexts DefaultInputs();

/// A disc-spring material to pick: its name and its E and μ as texts.
struct MaterialChoice {
    const char* name;
    const char* E;
    const char* mu;
};

/// Typical materials (moduli at 20 °C from a disc-spring maker's manual; μ = 0.3, as makers
/// advise for special materials too).
inline constexpr std::array<MaterialChoice, 5> kMaterials = {{
    {"弹簧钢 50CrV4, Ck67", "206000", "0.3"},
    {"不锈钢 1.4310", "190000", "0.3"},
    {"不锈钢 1.4568", "200000", "0.3"},
    {"耐热钢 1.4923", "209000", "0.3"},
    {"铍青铜 CuBe2", "120000", "0.3"},
}};

}  // namespace curve
