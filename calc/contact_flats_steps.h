// The steps of a spring with contact flats, after steps 1 to 11 of the plain spring: K4 from
// t, t′ and H, then h0′ = H − t′, then force and stresses. One operation per line, in this
// order; the plain spring's steps stay as they are.
#pragma once

#include <optional>

#include "calc/disc_spring_steps.h"

namespace calc::detail {

template <typename Math>
runtime::Expected<double, SpringFault> EvaluateK4(Math& m, double t, double t_reduced, double H) {
    // C1 = (t′/t)² ÷ [(H/(4t) − t′/t + 3/4)·(5H/(8t) − t′/t + 3/8)]
    const double ratio = m.Div(t_reduced, t);
    const double height = m.Div(H, t);
    const double ratio2 = m.Mul(ratio, ratio);
    const double a1 = m.Div(height, 4);
    const double a2 = m.Sub(a1, ratio);
    const double a3 = m.Add(a2, 0.75);
    const double b1 = m.Mul(height, 5);
    const double b2 = m.Div(b1, 8);
    const double b3 = m.Sub(b2, ratio);
    const double b4 = m.Add(b3, 0.375);
    const double brackets = m.Mul(a3, b4);
    const double C1 = m.Div(ratio2, brackets);
    // C2 = C1 ÷ (t′/t)³ · [5/32·(H/t − 1)² + 1]
    const double ratio3 = m.Mul(ratio2, ratio);
    const double c = m.Div(C1, ratio3);
    const double g = m.Sub(height, 1);
    const double g2 = m.Mul(g, g);
    const double g3 = m.Mul(g2, 5);
    const double g4 = m.Div(g3, 32);
    const double g5 = m.Add(g4, 1);
    const double C2 = m.Mul(c, g5);
    // K4 = √(−C1/2 + √((C1/2)² + C2))
    const double half = m.Div(C1, 2);
    const double half2 = m.Mul(half, half);
    const double sum = m.Add(half2, C2);
    const double root = m.Sqrt(sum);
    const double inner = m.Sub(root, half);
    const double K4 = m.Sqrt(inner);
    if (m.fault())
        return Stopped(m, Quantity::kK4);
    return K4;
}

template <typename Math>
runtime::Expected<SpringResults, SpringFault> EvaluateFlattedResults(Math& m, const Coefficients& k,
                                                                     double t_reduced,
                                                                     double h0_reduced, double K4,
                                                                     double f,
                                                                     const Material& material) {
    const double t = t_reduced, h0 = h0_reduced, N = k.N, K2 = k.K2, K3 = k.K3;

    // F = 4E·t′⁴·f ÷ (t′·N) · [K4²·(h0′/t′ − f/(2t′))·(h0′/t′ − f/t′) + 1] · K4²
    double p = m.Mul(material.E, 4);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    p = m.Mul(t, p);
    const double p6 = m.Mul(f, p);
    const double p7 = m.Mul(t, N);
    const double load = m.Div(p6, p7);
    const double r1 = m.Div(h0, t);
    const double r2 = m.Div(f, t);
    const double r3 = m.Sub(r1, r2);
    const double r4 = m.Div(h0, t);
    const double r5 = m.Div(f, 2);
    const double r6 = m.Div(r5, t);
    const double r7 = m.Sub(r4, r6);
    const double r8 = m.Mul(r7, r3);
    const double K4squared = m.Mul(K4, K4);
    const double r8k = m.Mul(K4squared, r8);
    const double r9 = m.Add(1, r8k);
    const double F1 = m.Mul(r9, load);
    const double F = m.Mul(F1, K4squared);
    if (m.fault())
        return Stopped(m, Quantity::kF);

    // σom = 12E·t′·f ÷ N ÷ π · K4
    double q = m.Mul(material.E, 12);
    q = m.Mul(t, q);
    q = m.Mul(f, q);
    q = m.Div(q, N);
    q = m.Div(q, kPi);
    const double sigma_om = m.Mul(q, K4);
    if (m.fault())
        return Stopped(m, Quantity::kSigmaOm);

    // σ1 = −4E·t′·f ÷ N · K4 · [K4·K2·B′ + K3], with B′ = h0′/t′ − (f/2)/t′
    double u = m.Mul(material.E, -4);
    u = m.Mul(t, u);
    u = m.Mul(f, u);
    const double S = m.Div(u, N);
    const double SK = m.Mul(S, K4);
    const double x = m.Div(h0, t);
    const double y = m.Div(f, 2);
    const double z = m.Div(y, t);
    const double B = m.Sub(x, z);
    double w = m.Mul(B, K2);
    double wk = m.Mul(w, K4);
    double v = m.Add(K3, wk);
    const double sigma1 = m.Mul(v, SK);
    if (m.fault())
        return Stopped(m, Quantity::kSigma1);

    // σ2 = S·K4 · [K4·K2·B′ − K3]
    w = m.Mul(B, K2);
    wk = m.Mul(w, K4);
    v = m.Sub(wk, K3);
    const double sigma2 = m.Mul(v, SK);
    if (m.fault())
        return Stopped(m, Quantity::kSigma2);

    // σ3 = S·K4 ÷ δ · [K4·(K2 − 2·K3)·B′ − K3]
    const double S3 = m.Div(SK, k.delta);
    const double kk = m.Mul(K3, 2);
    const double m3 = m.Sub(K2, kk);
    const double n = m.Mul(B, m3);
    const double nk = m.Mul(n, K4);
    v = m.Sub(nk, K3);
    const double sigma3 = m.Mul(v, S3);
    if (m.fault())
        return Stopped(m, Quantity::kSigma3);

    return SpringResults{F, sigma_om, sigma1, sigma2, sigma3};
}

/// The flats' own quantities, formed after steps 1 to 11.
struct Flats {
    double K4, h0;  ///< K4 and h0′ = H − t′
};

template <typename Math>
runtime::Expected<Flats, SpringFault> EvaluateFlats(Math& m, const SpringInputs& in,
                                                    double t_reduced) {
    const auto K4 = EvaluateK4(m, in.t, t_reduced, in.H);
    if (!K4) {
        return K4.error();
    }
    const double h0 = m.Sub(in.H, t_reduced);
    if (m.fault())
        return Stopped(m, Quantity::kh0Flat);
    return Flats{*K4, h0};
}

/// What the steps after the coefficients work with: the thickness, the cone height and K4 — t,
/// h0 and 1 for a plain spring, t′, h0′ and K4 for one with contact flats.
struct Shape {
    Coefficients k;
    double t, h0, K4;
};

// σIV = S·K4 ÷ δ · [K4·(K2 − 2·K3)·B′ + K3], σ3's steps with +K3; K4 = 1 without flats, which
// changes no bit. Formed after the spring's other quantities and its rate, so that it never
// changes which of their faults is told.
template <typename Math>
runtime::Expected<double, SpringFault> EvaluateOuterEdge(Math& m, const Shape& g, double f,
                                                         const Material& material) {
    const double t = g.t, h0 = g.h0, K4 = g.K4, K2 = g.k.K2, K3 = g.k.K3;
    double u = m.Mul(material.E, -4);
    u = m.Mul(t, u);
    u = m.Mul(f, u);
    const double S = m.Div(u, g.k.N);
    const double SK = m.Mul(S, K4);
    const double x = m.Div(h0, t);
    const double y = m.Div(f, 2);
    const double z = m.Div(y, t);
    const double B = m.Sub(x, z);
    const double S4 = m.Div(SK, g.k.delta);
    const double kk = m.Mul(K3, 2);
    const double m3 = m.Sub(K2, kk);
    const double n = m.Mul(B, m3);
    const double nk = m.Mul(n, K4);
    const double v = m.Add(nk, K3);
    const double sigma4 = m.Mul(v, S4);
    if (m.fault())
        return Stopped(m, Quantity::kSigma4);
    return sigma4;
}

template <typename Math>
runtime::Expected<Shape, SpringFault> EvaluateShape(Math& m, const SpringInputs& in,
                                                    std::optional<double> t_reduced,
                                                    const Material& material) {
    const auto k = EvaluateCoefficients(m, in, material);
    if (!k) {
        return k.error();
    }
    if (!t_reduced) {
        return Shape{*k, in.t, k->h0, 1};
    }
    const auto flats = EvaluateFlats(m, in, *t_reduced);
    if (!flats) {
        return flats.error();
    }
    return Shape{*k, *t_reduced, flats->h0, flats->K4};
}

}  // namespace calc::detail
