#include "runtime/text_number.h"

#include <gtest/gtest.h>

#include <string>

namespace runtime {
namespace {

struct ReadCase {
    const char* name;
    std::string text;
    double value;
};

class TextNumberReads : public testing::TestWithParam<ReadCase> {};

TEST_P(TextNumberReads, GivesTheValueOfTheLeadingNumber) {
    const auto read = TextToNumber(GetParam().text);
    ASSERT_TRUE(read.has_value()) << GetParam().text;
    EXPECT_EQ(*read, GetParam().value) << GetParam().text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, TextNumberReads, testing::Values(
    // plain decimal forms
    ReadCase{"LeadingPoint", ".5", 0.5},
    ReadCase{"Minus", "-2.25", -2.25},
    ReadCase{"LeadingZeros", "000012.5000", 12.5},
    // exponents
    ReadCase{"ExponentE", "1E3", 1000},
    ReadCase{"ExponentLowerE", "1.5e-3", 1.5e-3},
    ReadCase{"ExponentLowerD", "2d+2", 200},
    ReadCase{"ExponentSignWithoutDigits", "1e+", 1},
    ReadCase{"HugeNegativeExponentUnderflows", "1e-99999999999999999999999", 0},
    ReadCase{"SmallestSubnormal", "4.9406564584124654e-324", 4.9406564584124654e-324},
    ReadCase{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
    ReadCase{"DigitsBeyondThoseKeptShiftTheExponent", std::string("1").append(899, '0').append("e-899"), 1.0},
    // 2^53 + 1 lies between two doubles: ties go to even, unless a nonzero digit far behind
    // the kept ones says the text is above the tie.
    ReadCase{"FarFractionDigitRoundsUp", std::string("9007199254740993.").append(2000, '0').append("1"),
             9007199254740994.0},
    ReadCase{"FarZerosKeepTheTie",
             std::string("9007199254740993").append(1000, '0').append("e-1000"),
             9007199254740992.0},
    ReadCase{"FarIntegerDigitRoundsUp", std::string("9007199254740993").append(1000, '0').append("1e-1001"),
             9007199254740994.0},
    // blanks are ignored wherever they stand
    ReadCase{"EveryKindOfBlank", " \t\r\n4 \t2\r\n", 42},
    ReadCase{"IdeographicSpace", "\xE3\x80\x80" "7\xE3\x80\x80" "5", 75},
    ReadCase{"BlankAfterSign", "- 5", -5},
    ReadCase{"BlankInExponent", "1 e 2", 100},
    // reading stops at the first character that cannot continue the number
    ReadCase{"Comma", "1,5", 1},
    ReadCase{"SecondSign", "+-1", 0},
    ReadCase{"ExponentStopsAtPoint", "1e2.5", 100},
    ReadCase{"HalfIdeographicSpace", "7\xE3\x80" "5", 7},
    // no digits at all
    ReadCase{"Empty", "", 0},
    ReadCase{"SignOnly", "-", 0},
    ReadCase{"PointOnly", ".", 0},
    ReadCase{"Infinity", "inf", 0},
    ReadCase{"CStyleHex", "0x10", 0},
    ReadCase{"InvalidUtf8", "\xFF\xFE" "12", 0},
    ReadCase{"Nul", std::string("\0" "5", 2), 0},
    // &H and &O integers
    ReadCase{"HexDigitsAtTheirEdges", "&h09afAF", 0x09afaf},
    ReadCase{"HexStopsAtG", "&H1G", 1},
    ReadCase{"HexStopsAtZ", "&H7z", 7},
    // The characters between the digit ranges are no digits: ':' … '@' and '[' … '`'.
    ReadCase{"HexStopsAtColon", "&H1:", 1},
    ReadCase{"HexStopsAtAt", "&H1@", 1},
    ReadCase{"HexStopsAtBacktick", "&H1`", 1},
    ReadCase{"OctalStopsAtColon", "&O1:", 1},
    ReadCase{"Hex8000IsNegative16Bit", "&H8000", -32768},
    ReadCase{"HexFFFFIsMinusOne", "&HFFFF", -1},
    ReadCase{"Hex10000Is32Bit", "&H10000", 65536},
    ReadCase{"HexFFFFFFFFIsMinusOne", "&HFFFFFFFF", -1},
    ReadCase{"HexLeadingZerosKeepValue", "&H0000FFFF", -1},
    ReadCase{"HexWithBlanks", "& H 1 0", 16},
    ReadCase{"OctalLowerCase", "&o7", 7},
    ReadCase{"OctalTakesNoHexDigit", "&Oa", 0},
    ReadCase{"OctalStopsAtEight", "&O178", 15},
    ReadCase{"AmpersandAlone", "&", 0},
    ReadCase{"AmpersandDigits", "&17", 0},
    ReadCase{"SignBeforeAmpersand", "-&H10", 0},
    // a megabyte of text
    ReadCase{"MegabyteOfBlanks", std::string(1 << 20, ' ') + "8", 8},
    ReadCase{"MegabyteOfZerosAfterThePoint", "0." + std::string(1 << 20, '0') + "1", 0},
    ReadCase{"MegabyteOfAmpersands", std::string(1 << 20, '&'), 0}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });
// clang-format on

// A text read only in part is pointed out to the user; the value read is the same either way.
TEST(TextNumber, TellsWhetherTheWholeTextWasRead) {
    for (const char* text : {"3.5", " 1 2 ", "1e5", "&H1F", "5.", "-0.5\xE3\x80\x80"}) {
        EXPECT_TRUE(ReadNumber(text).whole) << text;
    }
    for (const char* text : {"3,5", "abc", "\xEF\xBC\x91\xEF\xBC\x90",
                             "\xE2\x88\x92"
                             "1.4",
                             "1e", "1E+", "&H", "&", "-", ".", "3.5mm", "1e400x"}) {
        EXPECT_FALSE(ReadNumber(text).whole) << text;
    }
}

TEST(TextNumber, BlankIsWhatTheReaderSkips) {
    for (const char* text : {"", " \t\r\n", "\xE3\x80\x80"}) {
        EXPECT_TRUE(IsBlank(text)) << text;
    }
    for (const char* text : {"0", "\xE3\x80", "-"}) {
        EXPECT_FALSE(IsBlank(text)) << text;
    }
}

TEST(TextNumber, NumbersTooLargeForADoubleAreAnOverflowFault) {
    const Fault overflow{FaultKind::kOverflow, FaultSource::kConversion};
    for (const std::string& text : std::initializer_list<std::string>{
             "1e400", "-1e400", "1.7976931348623159e308", "1e99999999999999999999999",
             std::string(400, '9'), "1" + std::string(1 << 20, '0'), "&H100000000", "&O40000000000",
             "&H" + std::string(50, 'F')}) {
        const auto read = TextToNumber(text);
        ASSERT_FALSE(read.has_value()) << text;
        EXPECT_EQ(read.error(), overflow) << text;
    }
}

}  // namespace
}  // namespace runtime
