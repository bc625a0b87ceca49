#include "calc/spring_text.h"

#include <gtest/gtest.h>

namespace calc {
namespace {

// The five texts are read in order; the first that is too large for a double stops the
// calculation at that input. Blanks and units around a number are not part of it.
TEST(SpringText, TheFirstTooLargeInputFaultsAtThatInput) {
    const Quantity read[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH, Quantity::kf};
    for (int i = 0; i < 5; ++i) {
        InputTexts inputs = {" 100mm", "51 mm", "3.5\xE3\x80\x80", "6.3 毫米", "1e999"};
        inputs[i] = "-1e999";
        const auto r = CalculateTexts(inputs);
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error(),
                  (SpringFault{{runtime::FaultKind::kOverflow, runtime::FaultSource::kConversion},
                               read[i]}));
    }
    const auto r = CalculateTexts({" 100mm", "51 mm", "3.5\xE3\x80\x80", "6.3 毫米", "1.4\n"});
    EXPECT_EQ(std::string((*r)[4].view()), "749.011484596736");
}

}  // namespace
}  // namespace calc
