#include "calc/spring_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "runtime/text_number.h"

namespace calc {
namespace {

using runtime::FaultKind;
using runtime::FaultSource;

std::array<std::string, 5> Texts(const runtime::Expected<ResultTexts, SpringFault>& results) {
    std::array<std::string, 5> texts;
    for (std::size_t i = 0; i < texts.size() && results.has_value(); ++i) {
        texts[i] = (*results)[i].view();
    }
    return texts;
}

const std::array<std::string, 5> kWorkedExampleTexts = {"9822.55688774516", "617.501704752074",
                                                        "-1350.87984743535", "411.326288335194",
                                                        "749.011484596736"};

TEST(SpringText, WorkedExampleWithAndWithoutUnitsAndBlanks) {
    EXPECT_EQ(Texts(CalculateTexts({"100", "51", "3.5", "6.3", "1.4"})), kWorkedExampleTexts);
    EXPECT_EQ(Texts(CalculateTexts({" 100mm", "51 mm", "3.5\xE3\x80\x80", "6.3 毫米", "1.4\n"})),
              kWorkedExampleTexts);
}

TEST(SpringText, TheFirstTooLargeInputFaultsAtThatInput) {
    const Quantity read[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH, Quantity::kf};
    for (int i = 0; i < 5; ++i) {
        InputTexts inputs = {"100", "51", "3.5", "6.3", "1e999"};
        inputs[i] = "-1e999";
        const auto r = CalculateTexts(inputs);
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error(),
                  (SpringFault{{FaultKind::kOverflow, FaultSource::kConversion}, read[i]}));
    }
}

TEST(SpringText, EmptyBoxesFaultAtTheDiameterRatio) {
    const auto r = CalculateTexts({"", "", "", "", ""});
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error(),
              (SpringFault{{FaultKind::kOverflow, FaultSource::kArithmetic}, Quantity::kDelta}));
}

// The process locale (which Qt sets from the environment) must change nothing.
TEST(SpringText, CommaDecimalLocaleChangesNothing) {
    const std::string restore = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (scripts/setup.sh generates it)";
    }
    const auto texts = Texts(CalculateTexts({"100", "51", "3.5", "6.3", "1.4"}));
    const auto comma = runtime::TextToNumber("3,5");
    std::setlocale(LC_ALL, restore.c_str());
    EXPECT_EQ(texts, kWorkedExampleTexts);
    EXPECT_EQ(*comma, 3);
}

}  // namespace
}  // namespace calc
