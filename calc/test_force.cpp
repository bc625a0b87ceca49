// A single spring at its test length.
#include "calc/test_force.h"

#include "calc/design_check.h"
#include "calc/fatigue_lines.h"
#include "runtime/number_text.h"

namespace calc {

std::optional<Inspection> Inspect(const RowInputs& spring, bool flats, const Material& material) {
    const ShownQuantities shown = ShowQuantities(spring.spring);
    if (!(shown.h0 > 0)) {
        return std::nullopt;
    }
    RowInputs at = spring;
    at.spring.f = runtime::ShownValue(0.75 * shown.h0);
    RowOptions single;  // one spring, without friction
    single.material = material;
    single.flats = flats;
    const Row row = CalculateRow(at, single);
    if (!row.results) {
        return std::nullopt;
    }
    Inspection inspection;
    inspection.group = ThicknessGroup(spring.spring.t);
    inspection.f = at.spring.f;
    inspection.length = spring.spring.H - at.spring.f;
    inspection.force = row.results->spring.F;
    inspection.sigma_om = row.results->spring.sigma_om;
    inspection.utilisation = Utilisation(inspection.sigma_om, material);
    inspection.thickness = flats ? spring.t_reduced : spring.spring.t;
    inspection.tolerances = TolerancesFor(inspection.thickness);
    return inspection;
}

}  // namespace calc
