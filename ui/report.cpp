// The words of the calculator's fault report.
#include "ui/report.h"

#include "runtime/fault_report.h"

namespace ui {

Report ReportFor(const calc::SpringFault& fault) {
    return {"碟形弹簧的设计计算",
            runtime::FaultReport(fault.fault, calc::QuantitySymbol(fault.quantity)), "确定"};
}

}  // namespace ui
