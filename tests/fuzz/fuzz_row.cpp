// Any six doubles as D, d, t, H, f and t′, and what follows as the row's options (rate, flats,
// a stack, friction, a material, σIV): the fast pass gives exactly what checking every step one by
// one gives, the same finite numbers to the bit or the same first fault, and the calculator's
// CalculateSpring is the row's spring.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calc/row.h"
#include "calc/spring_pass.h"

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool Same(const calc::RowResults& a, const calc::RowResults& b) {
    const calc::SpringResults &x = a.spring, &y = b.spring;
    bool same = SameBits(x.F, y.F) && SameBits(x.sigma_om, y.sigma_om) &&
                SameBits(x.sigma1, y.sigma1) && SameBits(x.sigma2, y.sigma2) &&
                SameBits(x.sigma3, y.sigma3) && a.rate.has_value() == b.rate.has_value() &&
                a.sigma4.has_value() == b.sigma4.has_value() &&
                a.stack.has_value() == b.stack.has_value() &&
                a.friction.has_value() == b.friction.has_value();
    same = same && (!a.rate || SameBits(*a.rate, *b.rate));
    same = same && (!a.sigma4 || SameBits(*a.sigma4, *b.sigma4));
    same = same && (!a.stack || (SameBits(a.stack->s, b.stack->s) &&
                                 SameBits(a.stack->F_stack, b.stack->F_stack) &&
                                 SameBits(a.stack->L, b.stack->L)));
    return same && (!a.friction || (SameBits(a.friction->F_load, b.friction->F_load) &&
                                    SameBits(a.friction->F_unload, b.friction->F_unload)));
}

// A refusal names the values it refuses, NaN among them: compared by their bits.
bool Same(const calc::RowError& a, const calc::RowError& b) {
    const auto* x = std::get_if<calc::Refusal>(&a);
    const auto* y = std::get_if<calc::Refusal>(&b);
    if (x == nullptr || y == nullptr) {
        return a == b;
    }
    return x->kind == y->kind && SameBits(x->value, y->value) && SameBits(x->limit, y->limit);
}

bool AllFinite(const calc::RowResults& r) {
    const double values[] = {r.spring.F,          r.spring.sigma_om, r.spring.sigma1,
                             r.spring.sigma2,     r.spring.sigma3,   r.rate.value_or(0),
                             r.sigma4.value_or(0)};
    for (const double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6 * sizeof(double)) {
        return 0;
    }
    calc::RowInputs in;
    in.spring = Take<calc::SpringInputs>(data, size);
    in.t_reduced = Take<double>(data, size);
    const auto choice = Take<std::uint8_t>(data, size);
    calc::RowOptions options;
    options.rate = choice & 1;
    options.flats = choice & 2;
    options.check = choice & 4;
    options.outer_edge = choice & 64;
    if (choice & 8) {
        const auto counts = Take<std::uint16_t>(data, size);
        options.stack = calc::StackLayout{1 + counts % 300, 1 + counts / 300 % 200};
    }
    if (choice & 16) {
        options.friction = calc::Friction{Take<double>(data, size), Take<double>(data, size)};
    }
    if (choice & 32) {
        options.material = calc::Material{Take<double>(data, size), Take<double>(data, size)};
    }

    const calc::Row fast = calc::CalculateRow(in, options);
    const calc::Row stepwise = calc::detail::CalculateRowStepwise(in, options);
    if (fast.results.has_value() != stepwise.results.has_value()) {
        __builtin_trap();
    }
    if (fast.results.has_value()
            ? !Same(*fast.results, *stepwise.results) || !AllFinite(*fast.results)
            : !Same(fast.results.error(), stepwise.results.error())) {
        __builtin_trap();
    }
    const bool plain = !options.flats && !options.rate && !options.stack && !options.friction &&
                       !options.outer_edge && options.material == calc::Material{};
    if (plain) {
        const auto spring = calc::CalculateSpring(in.spring);
        if (spring.has_value() != fast.results.has_value() ||
            (spring ? !Same(calc::RowResults{*spring, {}, {}, {}, {}, {}}, *fast.results)
                    : !Same(calc::RowError{spring.error()}, fast.results.error()))) {
            __builtin_trap();
        }
    }
    return 0;
}
