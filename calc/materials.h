// The named materials a face offers, with their E, μ and Rm.
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
/// advise for special materials too; tensile strengths as public sources give them for the
/// tempers disc springs are made in (the README names them). A supplier's own Rm is better.
/// The Chinese spring steels share spring steel's E and μ and differ in Rm alone, so spring
/// steel stays first: E and μ without an Rm mean it.
inline constexpr std::array<NamedMaterial, 8> kMaterials = {{
    {"弹簧钢 50CrV4, Ck67", {206000, 0.3, kSpringSteelRm}},
    {"弹簧钢 60Si2MnA", {206000, 0.3, 1568}},
    {"弹簧钢 50CrVA", {206000, 0.3, 1274}},
    {"弹簧钢 65Mn", {206000, 0.3, 980}},
    {"不锈钢 1.4310", {190000, 0.3, 1300}},
    {"不锈钢 1.4568", {200000, 0.3, 1450}},
    {"耐热钢 1.4923", {209000, 0.3, 800}},
    {"铍青铜 CuBe2", {120000, 0.3, 1200}},
}};

/// The named material with this E and μ, however they were written ("2.06E5" is spring
/// steel): among those, the one of this Rm, else the first (an Rm of the user's own supplier
/// does not make another material); none when no named material has them.
std::optional<std::size_t> FindMaterial(const Material& material);

/// The material of this E and μ with the named material's Rm, or with none when no named
/// material has them: what E and μ alone say.
Material MaterialOf(double E, double mu);

}  // namespace calc
