// The words of an untrapped fault's report.
#include "runtime/fault_report.h"

namespace runtime {

std::string FaultReport(const Fault& fault, std::string_view where) {
    std::string report = "实时错误 '";
    report += std::to_string(FaultNumber(fault.kind));
    report += "':\n\n";
    report += FaultText(fault.kind);
    if (!where.empty()) {
        report += fault.source == FaultSource::kConversion ? "\n\n在读取 " : "\n\n在计算 ";
        report += where;
        report += fault.source == FaultSource::kConversion ? " 的数值时停止。" : " 时停止。";
    }
    return report;
}

}  // namespace runtime
