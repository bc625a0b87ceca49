#include "calc/materials.h"

namespace calc {

std::optional<std::size_t> FindMaterial(const Material& material) {
    for (std::size_t i = 0; i < kMaterials.size(); ++i) {
        if (kMaterials[i].material == material) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace calc
