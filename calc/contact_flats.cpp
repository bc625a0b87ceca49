// Force and stresses of a spring with contact flats.
#include "calc/contact_flats.h"

#include "calc/spring_pass.h"

namespace calc {

runtime::Expected<SpringResults, SpringFault> CalculateFlattedSpring(const SpringInputs& in,
                                                                     double t_reduced,
                                                                     const Material& material) {
    const auto spring = detail::ComputeSpring({in, t_reduced, material});
    if (!spring) {
        return spring.error();
    }
    return spring->spring;
}

}  // namespace calc
