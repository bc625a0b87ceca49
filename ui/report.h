// What the calculator tells its user of a fault.
#pragma once

#include <string>

#include "calc/disc_spring.h"

namespace ui {

/// What the calculator tells its user of a fault that ended the calculate command, in the words
/// of the platform's report of an untrapped run-time error; both windows show exactly this.
struct Report {
    std::string title;   ///< the program's name, "碟形弹簧的设计计算"
    std::string text;    ///< e.g. "实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。"
    std::string button;  ///< "确定", whatever the system language
};

/// The report of a fault of the calculate command.
Report ReportFor(const calc::SpringFault& fault);

}  // namespace ui
