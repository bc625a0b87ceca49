// Looking up a named material by its E and μ.
#include "calc/materials.h"

namespace calc {

std::optional<std::size_t> FindMaterial(const Material& material) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < kMaterials.size(); ++i) {
        const Material& named = kMaterials[i].material;
        if (named.E == material.E && named.mu == material.mu) {
            if (material.Rm && named.Rm == material.Rm) {
                return i;
            }
            first = first.value_or(i);
        }
    }
    return first;
}

Material MaterialOf(double E, double mu) {
    Material material{E, mu, std::nullopt};
    if (const auto named = FindMaterial(material)) {
        material.Rm = kMaterials[*named].material.Rm;
    }
    return material;
}

}  // namespace calc
