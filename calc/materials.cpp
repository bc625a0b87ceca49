// Looking up a named material by its E and μ.
#include "calc/materials.h"

namespace calc {

std::optional<std::size_t> FindMaterial(const Material& material) {
    for (std::size_t i = 0; i < kMaterials.size(); ++i) {
        if (kMaterials[i].material.E == material.E && kMaterials[i].material.mu == material.mu) {
            return i;
        }
    }
    return std::nullopt;
}

Material MaterialOf(double E, double mu) {
    Material material{E, mu, std::nullopt};
    if (const auto named = FindMaterial(material)) {
        material.Rm = kMaterials[*named].material.Rm;
    }
    return material;
}

}  // namespace calc
