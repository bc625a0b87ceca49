#include "design/inputs.h"

namespace design {

RequirementTexts DesignTexts::DefaultRequirement() {
    // About 5 kN at 1.2 mm of travel in a 41 mm bore on a 20 mm rod: an example to start from.
    RequirementTexts requirement;
    requirement.points[0] = {false, "1.2", "5000", ""};
    requirement.bore = "41";
    requirement.rod = "20";
    return requirement;
}

DesignTexts DefaultTexts() {
    return DesignTexts{"100", "51", "3.5", "6.3", "", "1", "1", "50", "", "", "", "", "", "", {}};
}

}  // namespace design
