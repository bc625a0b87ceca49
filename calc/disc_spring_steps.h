// The steps of CalculateSpring over any arithmetic with the interface of runtime::CheckedMath.
// CalculateSpring runs them first on runtime::FaultFlagMath, a fast pass that only tells whether
// some step faulted, and again on runtime::CheckedMath when one did, to learn which step; the
// benchmarks run the very same steps on plain operations.
//
// Steps 1 to 11 depend on D, d, t and H alone (EvaluateCoefficients), steps 12 to 18 on f too
// (EvaluateResults), so a characteristic or a search over f forms the first ones once; the
// order of all steps is unchanged.
#pragma once

#include <cmath>

#include "calc/disc_spring.h"

#ifdef __FAST_MATH__
#error "the model must be built without -ffast-math: its results are compared bit for bit"
#endif

namespace calc::detail {

template <typename Math>
SpringFault Stopped(const Math& m, Quantity quantity) {
    return SpringFault{*m.fault(), quantity};
}

inline bool AllFinite(const SpringResults& r) {
    return std::isfinite(r.F) && std::isfinite(r.sigma_om) && std::isfinite(r.sigma1) &&
           std::isfinite(r.sigma2) && std::isfinite(r.sigma3);
}

/// What steps 1 to 11 form from D, d, t and H.
struct Coefficients {
    double h0, delta, K1, K2, K3, N;
};

// The order of the steps and the grouping of their operands are part of the result: each line
// is one rounding, and regrouping would change the last bits that users compare against.
// Steps are sequenced one per statement so that the first fault is the one recorded.
template <typename Math>
runtime::Expected<Coefficients, SpringFault> EvaluateCoefficients(Math& m, const SpringInputs& in,
                                                                  const Material& material) {
    const double D = in.D, d = in.d, t = in.t, H = in.H;

    const double h0 = m.Sub(H, t);
    if (m.fault())
        return Stopped(m, Quantity::kh0);

    const double delta = m.Div(D, d);
    if (m.fault())
        return Stopped(m, Quantity::kDelta);

    const double L = m.Log(delta);
    if (m.fault())
        return Stopped(m, Quantity::kLnDelta);

    // K1 = (1/π)·((δ−1)/δ)² ÷ ((δ+1)/(δ−1) − 2/ln δ)
    const double c1 = m.GuardedDiv(1, kPi);
    const double c2 = m.GuardedDiv(2, L);
    double a = m.Sub(delta, 1);
    double b = m.Div(a, delta);
    double c = m.Mul(b, c1);
    const double e = m.Mul(b, c);
    const double g = m.Add(1, delta);
    const double h = m.Sub(delta, 1);
    const double i = m.Div(g, h);
    const double j = m.Sub(i, c2);
    const double K1 = m.Div(e, j);
    if (m.fault())
        return Stopped(m, Quantity::kK1);

    // K2 = (6/π)·((δ−1)/ln δ − 1) ÷ ln δ
    const double c3 = m.GuardedDiv(6, kPi);
    a = m.Sub(delta, 1);
    b = m.Div(a, L);
    c = m.Sub(b, 1);
    const double e2 = m.Mul(c, c3);
    const double K2 = m.Div(e2, L);
    if (m.fault())
        return Stopped(m, Quantity::kK2);

    // K3 = (3/π)·(δ−1) ÷ ln δ
    const double c4 = m.GuardedDiv(3, kPi);
    a = m.Sub(delta, 1);
    b = m.Mul(a, c4);
    const double K3 = m.Div(b, L);
    if (m.fault())
        return Stopped(m, Quantity::kK3);

    // N = K1·(1 − μ²)·D²
    const double mu2 = m.Mul(material.mu, material.mu);
    const double q1 = m.Sub(1, mu2);
    const double r = m.Mul(K1, q1);
    const double s = m.Mul(D, r);
    const double N = m.Mul(D, s);
    if (m.fault())
        return Stopped(m, Quantity::kN);

    return Coefficients{h0, delta, K1, K2, K3, N};
}

template <typename Math>
runtime::Expected<SpringResults, SpringFault> EvaluateResults(Math& m, const Coefficients& k,
                                                              double t, double f,
                                                              const Material& material) {
    const double h0 = k.h0, N = k.N, K2 = k.K2, K3 = k.K3;

    // F = 4E·t⁴·f ÷ (t·N) · [1 + (h0/t − f/(2t))·(h0/t − f/t)]
    double p = m.Mul(material.E, 4);  // 824000 for spring steel, exact
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
    const double r9 = m.Add(1, r8);
    const double F = m.Mul(r9, load);
    if (m.fault())
        return Stopped(m, Quantity::kF);

    // σom = 12E·t·f ÷ N ÷ π, positive by design
    double q = m.Mul(material.E, 12);  // 2472000 for spring steel, exact
    q = m.Mul(t, q);
    q = m.Mul(f, q);
    q = m.Div(q, N);
    const double sigma_om = m.Div(q, kPi);
    if (m.fault())
        return Stopped(m, Quantity::kSigmaOm);

    // σ1 = −4E·t·f ÷ N · [K2·B + K3], with B = h0/t − (f/2)/t; S and B serve σ2 and σ3 too
    double u = m.Mul(material.E, -4);  // -824000 for spring steel, exact
    u = m.Mul(t, u);
    u = m.Mul(f, u);
    const double S = m.Div(u, N);
    const double x = m.Div(h0, t);
    const double y = m.Div(f, 2);
    const double z = m.Div(y, t);
    const double B = m.Sub(x, z);
    double w = m.Mul(B, K2);
    double v = m.Add(K3, w);
    const double sigma1 = m.Mul(v, S);
    if (m.fault())
        return Stopped(m, Quantity::kSigma1);

    // σ2 = S · [K2·B − K3]
    w = m.Mul(B, K2);
    v = m.Sub(w, K3);
    const double sigma2 = m.Mul(v, S);
    if (m.fault())
        return Stopped(m, Quantity::kSigma2);

    // σ3 = S ÷ δ · [(K2 − 2·K3)·B − K3]
    const double S3 = m.Div(S, k.delta);
    const double kk = m.Mul(K3, 2);
    const double m3 = m.Sub(K2, kk);
    const double n = m.Mul(B, m3);
    v = m.Sub(n, K3);
    const double sigma3 = m.Mul(v, S3);
    if (m.fault())
        return Stopped(m, Quantity::kSigma3);

    return SpringResults{F, sigma_om, sigma1, sigma2, sigma3};
}

template <typename Math>
runtime::Expected<SpringResults, SpringFault> EvaluateSpring(Math& m, const SpringInputs& in,
                                                             const Material& material = {}) {
    const auto coefficients = EvaluateCoefficients(m, in, material);
    if (!coefficients) {
        return coefficients.error();
    }
    return EvaluateResults(m, *coefficients, in.t, in.f, material);
}

}  // namespace calc::detail
