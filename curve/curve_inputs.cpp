#include "curve/curve_inputs.h"

namespace curve {

CurveInputTexts DefaultInputs() {
    return CurveInputTexts{"100", "51", "3.5", "6.3", "", "1", "1", "50", "", "", "", "", "", {}};
}

}  // namespace curve
