#include "calc/contact_flats.h"

#include "calc/row.h"

namespace calc {

runtime::Expected<SpringResults, SpringFault> CalculateFlattedSpring(const SpringInputs& in,
                                                                     double t_reduced,
                                                                     const Material& material) {
    RowOptions options;
    options.material = material;
    options.flats = true;
    const auto spring = detail::RowSpring({in, t_reduced}, options);
    if (!spring) {
        return spring.error();
    }
    return spring->spring;
}

}  // namespace calc
