// Design files for the window: written all or nothing, read up to their limit.
#pragma once

#include <QString>

#include "design/inputs.h"
#include "runtime/expected.h"

namespace curve {

/// Writes a design file, all or nothing: a half-written design is never left behind. False
/// when it cannot be written.
bool SaveDesignFile(const QString& path, const design::DesignTexts& texts);

/// Reads a design file (design::DesignFromJson), or why it cannot be read.
runtime::Expected<design::DesignTexts, QString> OpenDesignFile(const QString& path);

}  // namespace curve
