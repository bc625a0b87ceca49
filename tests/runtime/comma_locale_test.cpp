// The conversions under a locale whose decimal separator is a comma: they must not notice it.
// A machine without such a locale fails this test rather than passing it vacuously.

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <locale>
#include <string>

#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace runtime {
namespace {

class CommaLocale : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                set_ = true;
                break;
            }
        }
        ASSERT_TRUE(set_) << "no German locale could be set; install de_DE.UTF-8";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    bool set_ = false;
};

TEST_F(CommaLocale, ChangesNoTextAndNoValue) {
    EXPECT_EQ(NumberToText(-1350.8798474353496).view(), "-1350.87984743535");
    EXPECT_EQ(NumberToText(1.5e-15).view(), "1.5E-15");
    EXPECT_EQ(*TextToNumber("3.5"), 3.5);
    EXPECT_EQ(*TextToNumber("3,5"), 3);
    EXPECT_EQ(*TextToNumber("2.06D5"), 206000);
    EXPECT_EQ(ShownValue(3.15 - 2.25), 0.9);
}

}  // namespace
}  // namespace runtime
