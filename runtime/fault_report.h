// The report shown to the user for an untrapped fault.
#pragma once

#include <string>
#include <string_view>

#include "runtime/fault.h"

namespace runtime {

/// The report shown to the user for an untrapped fault: the header "实时错误 '11':", a blank
/// line, the kind's text, and, when `where` is not empty, a blank line and one sentence naming
/// the quantity (by its symbol) that was being read or computed when the fault struck.
std::string FaultReport(const Fault& fault, std::string_view where);

}  // namespace runtime
