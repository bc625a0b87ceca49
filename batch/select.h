// disc-spring-batch --select: the options of a requirement and the answer to each line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "batch/batch.h"

namespace batch {

/// Reads one option only --select takes (--best, --given, --tolerance, --clearance,
/// --max-length, --max-series, --max-parallel, --special, --life) into `options`, each number
/// as the window's and the page's field for it reads it; the message when its value cannot be
/// used.
std::optional<std::string> ReadSelectOption(std::string_view name, std::string_view value,
                                            SelectOptions& options, rows::Language language);

/// The column names of --select: the line's number, then the selection's columns for two load
/// points (a line with one leaves the second's empty).
void AppendSelectHeader(const SelectOptions& options, std::string& out,
                        rows::Language language = rows::Language::kChinese);

}  // namespace batch
