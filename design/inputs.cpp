#include "design/inputs.h"

namespace design {

DesignTexts DefaultTexts() {
    return DesignTexts{"100", "51", "3.5", "6.3", "", "1", "1", "50", "", "", "", "", "", "", {}};
}

}  // namespace design
