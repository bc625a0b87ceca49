// The steps of the spring rate, after the model's coefficients.
#pragma once

#include "calc/disc_spring_steps.h"

namespace calc::detail {

// R = 4E·t³ ÷ N · K4² · [K4²·(a² − 3·a·u + 1.5·u²) + 1] with a = h0/t, u = f/t: t, h0 are t′ and
// h0′ with contact flats; K4 = 1 without (its products are then exact, the steps unchanged).
template <typename Math>
runtime::Expected<double, SpringFault> EvaluateRate(Math& m, const Coefficients& k, double t,
                                                    double h0, double K4, double f,
                                                    const Material& material) {
    double p = m.Mul(material.E, 4);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    const double factor = m.Div(p, k.N);
    const double a = m.Div(h0, t);
    const double u = m.Div(f, t);
    const double a2 = m.Mul(a, a);
    const double au = m.Mul(a, u);
    const double au3 = m.Mul(au, 3);
    const double u2 = m.Mul(u, u);
    const double u2h = m.Mul(u2, 1.5);
    const double s1 = m.Sub(a2, au3);
    const double s2 = m.Add(s1, u2h);
    const double K4squared = m.Mul(K4, K4);
    const double s3 = m.Mul(K4squared, s2);
    const double s4 = m.Add(s3, 1);
    const double R1 = m.Mul(s4, factor);
    const double R = m.Mul(R1, K4squared);
    if (m.fault())
        return Stopped(m, Quantity::kRate);
    return R;
}

}  // namespace calc::detail
