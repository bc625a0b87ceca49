// A design read from its texts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/characteristic.h"
#include "calc/option_rules.h"
#include "design/inputs.h"
#include "runtime/expected.h"

namespace design {

/// A text that was read only in part: its input's name, the text and what it read as.
struct PartialRead {
    Phrase name;           ///< "t", "工作点 1"
    std::string_view key;  ///< the design file's key, "t", "point1"
    std::string text;
    double value;

    friend bool operator==(const PartialRead&, const PartialRead&) = default;
};

/// A working point as read.
struct PointRequest {
    PointBy by = PointBy::kDeflection;
    /// Its value; absent when the field is blank, a fault when the number is too large.
    std::optional<runtime::Expected<double, calc::SpringFault>> value;
};

/// A design read from its texts: the options its table is computed with (the rate always), the
/// steps, the characteristic's spring and end, and the working points.
struct Design {
    calc::RowOptions options;
    int steps = kDefaultSteps;
    runtime::Expected<calc::Curve, calc::SpringFault> curve{calc::Curve{}};
    std::array<PointRequest, 2> points;
    calc::Load load = calc::Load::kStatic;
};

/// What the texts of a design read as: the texts read only in part, and the design, or why its
/// options cannot be used.
struct DesignReading {
    std::vector<PartialRead> partial_reads;
    runtime::Expected<Design, calc::OptionProblem> design{Design{}};
};

/// The design's material (E, μ, Rm) and friction, read as ReadDesign reads them: all a
/// selection takes from the design, so that a stack count or step count that cannot be used
/// does not stop it. Friction's locking depends on a stack, and is judged there.
struct MaterialAndFriction {
    calc::Material material;
    std::optional<calc::Friction> friction;
};
runtime::Expected<MaterialAndFriction, calc::OptionProblem> ReadMaterialAndFriction(
    const DesignTexts& texts);

/// The named material (an index of calc::kMaterials) that E, μ and Rm stand for as the design
/// reads them (blank: spring steel; Rm chooses among materials of one E and μ), whatever else of
/// the design cannot be used: what every face's material picker shows. None for another E and
/// μ, or when they cannot be read.
std::optional<std::size_t> MaterialPicked(const DesignTexts& texts);

/// Reads every text by the rules of the calculator's boxes. A blank stack count is 1, blank
/// steps 50, a blank t′ no contact flats, a blank E or μ spring steel's, a blank Rm that of the
/// named material of this E and μ (none for another: the strength is then not judged), and both
/// friction coefficients blank no friction (one blank: 0). A count must be whole; each value must
/// lie in its range (calc::RangeOf), and friction must not lock the stack.
DesignReading ReadDesign(const DesignTexts& texts);

}  // namespace design
