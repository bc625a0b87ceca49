// Fault kinds with their numbers and texts.
#include "runtime/fault.h"

namespace runtime {

int FaultNumber(FaultKind kind) {
    switch (kind) {
        case FaultKind::kDivisionByZero:
            return 11;
        case FaultKind::kOverflow:
            return 6;
        case FaultKind::kInvalidArgument:
            return 5;
    }
    return 0;
}

std::string_view FaultText(FaultKind kind) {
    switch (kind) {
        case FaultKind::kDivisionByZero:
            return "除数为零";
        case FaultKind::kOverflow:
            return "溢出";
        case FaultKind::kInvalidArgument:
            return "无效的过程调用或参数";
    }
    return {};
}

}  // namespace runtime
