// A design as a form holds it: the design file's parts without its envelope, as JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "design/design_file.h"
#include "runtime/expected.h"

namespace design {

/// A design as a form holds it (the page's): "fields" (every input by its design-file key, and
/// "load", "outer_edge"), "points", "packets", "requirement" and "fatigueLines", the texts as
/// typed: the design file's parts without its envelope, so that a face never spells the file
/// itself.
nlohmann::json DesignToView(const DesignTexts& texts);

/// The design a form's view holds (JSON text), read as its file would be, all or nothing.
runtime::Expected<DesignTexts, DesignFileProblem> DesignFromView(std::string_view view);

}  // namespace design
