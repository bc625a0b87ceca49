// The work a spring takes up, by the integral of the force relation.
#include "calc/work.h"

#include "calc/contact_flats_steps.h"
#include "runtime/checked_math.h"

namespace calc {

runtime::Expected<double, SpringFault> SpringWork(const RowInputs& in, const RowOptions& options) {
    runtime::CheckedMath m;
    const SpringInputs& s = in.spring;
    const auto shape = detail::EvaluateShape(
        m, s, options.flats ? std::optional(in.t_reduced) : std::nullopt, options.material);
    if (!shape) {
        return shape.error();
    }
    const double t = shape->t, h0 = shape->h0, K4 = shape->K4;
    // W = 4E·t³ ÷ N · K4² · f² · [K4²·(a²/2 − a·u/2 + u²/8) + 1/2]; K4 = 1 without flats.
    double p = m.Mul(options.material.E, 4);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    const double factor = m.Div(p, shape->k.N);
    const double a = m.Div(h0, t);
    const double u = m.Div(s.f, t);
    const double a2 = m.Mul(a, a);
    const double h1 = m.Div(a2, 2);
    const double au = m.Mul(a, u);
    const double h2 = m.Div(au, 2);
    const double u2 = m.Mul(u, u);
    const double h3 = m.Div(u2, 8);
    const double s1 = m.Sub(h1, h2);
    const double s2 = m.Add(s1, h3);
    const double K4squared = m.Mul(K4, K4);
    const double s3 = m.Mul(K4squared, s2);
    const double s4 = m.Add(s3, 0.5);
    const double f2 = m.Mul(s.f, s.f);
    const double w1 = m.Mul(s4, f2);
    const double w2 = m.Mul(w1, factor);
    double W = m.Mul(w2, K4squared);
    if (options.stack) {
        W = m.Mul(W, options.stack->parallel);
        W = m.Mul(W, options.stack->series);
    }
    if (m.fault())
        return detail::Stopped(m, Quantity::kWork);
    return W;
}

}  // namespace calc
