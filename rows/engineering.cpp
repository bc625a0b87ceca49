// Numbers to a reader's precision.
#include "rows/engineering.h"

#include <cmath>

#include "runtime/number_text.h"

namespace rows {

std::string Engineering(double value, Measure measure) {
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e6)) {
        return runtime::RoundedText(value, 4);
    }
    if (measure == Measure::kLength) {
        return runtime::FixedText(value, 3);
    }
    if (magnitude >= 1000) {
        return runtime::FixedText(value, 0);
    }
    return runtime::RoundedText(value, 4);  // E notation below 10⁻⁴ by its own rule
}

}  // namespace rows
