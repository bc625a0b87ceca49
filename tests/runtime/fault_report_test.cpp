#include "runtime/fault_report.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(FaultReport, EachKindHasItsNumberAndText) {
    EXPECT_EQ(FaultNumber(FaultKind::kDivisionByZero), 11);
    EXPECT_EQ(FaultText(FaultKind::kDivisionByZero), "除数为零");
    EXPECT_EQ(FaultNumber(FaultKind::kOverflow), 6);
    EXPECT_EQ(FaultText(FaultKind::kOverflow), "溢出");
    EXPECT_EQ(FaultNumber(FaultKind::kInvalidArgument), 5);
    EXPECT_EQ(FaultText(FaultKind::kInvalidArgument), "无效的过程调用或参数");
}

TEST(FaultReport, NamesTheQuantityBeingComputedOrRead) {
    EXPECT_EQ(FaultReport({FaultKind::kDivisionByZero, FaultSource::kFloatingPoint}, "K1"),
              "实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。");
    EXPECT_EQ(FaultReport({FaultKind::kOverflow, FaultSource::kConversion}, "D"),
              "实时错误 '6':\n\n溢出\n\n在读取 D 的数值时停止。");
    EXPECT_EQ(FaultReport({FaultKind::kInvalidArgument, FaultSource::kArithmetic}, ""),
              "实时错误 '5':\n\n无效的过程调用或参数");
}

}  // namespace
}  // namespace runtime
