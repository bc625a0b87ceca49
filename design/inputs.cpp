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
    DesignTexts texts;
    for (const InputField& input : kInputs) {
        texts.*input.text = std::string(input.fresh);
    }
    return texts;
}

}  // namespace design
