// A design as the fragment of a link.
#pragma once

#include <string>
#include <string_view>

#include "design/design_file.h"

namespace design {

/// A design as the fragment of a link (`#design=` and this): its design file in base64url
/// without padding, so that a link shares the design and a bookmark keeps it.
std::string DesignAddress(const DesignTexts& texts);

/// The design a link's fragment (what follows `#design=`) carries, read as its file would be.
/// A fragment longer than the largest design file's base64 is refused before anything is
/// decoded, so that a huge link costs nothing; one that is not base64url is refused as such.
runtime::Expected<DesignTexts, DesignFileProblem> DesignFromAddress(std::string_view fragment);

}  // namespace design
