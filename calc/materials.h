#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "calc/disc_spring.h"

namespace calc {

/// A disc-spring material to pick by name.
struct NamedMaterial {
    std::string_view name;
    Material material;
};

/// Typical materials: moduli at 20 °C from a disc-spring maker's manual; μ = 0.3, as makers
/// advise for special materials too.
inline constexpr std::array<NamedMaterial, 5> kMaterials = {{
    {"弹簧钢 50CrV4, Ck67", {206000, 0.3}},
    {"不锈钢 1.4310", {190000, 0.3}},
    {"不锈钢 1.4568", {200000, 0.3}},
    {"耐热钢 1.4923", {209000, 0.3}},
    {"铍青铜 CuBe2", {120000, 0.3}},
}};

/// The named material with exactly these values, however they were written ("2.06E5" is
/// spring steel); none when no named material has them.
std::optional<std::size_t> FindMaterial(const Material& material);

}  // namespace calc
