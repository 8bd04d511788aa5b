#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "catalogue/my_val.h"

namespace {

struct MyValCase {
    const char* name;
    std::string text;
    double expected;
};

void PrintTo(const MyValCase& c, std::ostream* os) {
    *os << c.name;
}

class MyValReads : public ::testing::TestWithParam<MyValCase> {};

TEST_P(MyValReads, TheLeadingNumber) {
    EXPECT_EQ(MyVal(GetParam().text), GetParam().expected) << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, MyValReads,
    ::testing::Values(
        MyValCase{"Empty", "", 0}, MyValCase{"OnlySpaces", "   ", 0},
        MyValCase{"OnlyMinus", "-", 0}, MyValCase{"OnlyPlus", "+", 0},
        MyValCase{"OnlyPoint", ".", 0}, MyValCase{"Comma", "12,5", 12.5},
        MyValCase{"Point", "12.5", 12.5}, MyValCase{"LeadingSpace", " 12", 12},
        MyValCase{"SpaceGrouping", "1 234,5", 1234.5},
        MyValCase{"NoBreakSpaceGrouping",
                  "1\xC2\xA0"
                  "234,5",
                  1234.5},
        MyValCase{"BothSeparators", "1.234,5", 1.234}, MyValCase{"Unit", "15 g", 15},
        MyValCase{"UnitAfterComma", "12,5 g", 12.5}, MyValCase{"Placeholder", "Text79", 0},
        MyValCase{"Placeholder2", "XXXX", 0}, MyValCase{"Negative", "-12", -12},
        MyValCase{"Plus", "+5", 5}, MyValCase{"TrailingMinus", "12-", 12},
        MyValCase{"Subtraction", "5-3", 5}, MyValCase{"TwoMinus", "--5", 0},
        MyValCase{"PlusMinus", "+-5", 0}, MyValCase{"TabFirst", "\t7", 0},
        MyValCase{"Exponent", "1e3", 1}, MyValCase{"SpacesAroundComma", "1 , 5", 1.5},
        MyValCase{"FractionOnly", ",5", 0.5}, MyValCase{"SpaceInsideSign", "- 4", -4},
        MyValCase{"LetterEndsBeforeDigits", "g15", 0}, MyValCase{"Euro", "12,50 €", 12.5},
        MyValCase{"BatteryCount", "4 piles", 4}, MyValCase{"NegativeZero", "-0", 0},
        MyValCase{"ManyIntegerDigitsFit", "123456789012345678901234567890", 1.2345678901234568e29},
        MyValCase{"DisplayedExponentStops", "1E-05", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MyValLimits, NumbersBeyondADoubleAreTheLargestFiniteValueWithTheirSign) {
    const std::string huge(400, '9');
    EXPECT_EQ(MyVal(huge), DBL_MAX);
    EXPECT_EQ(MyVal("-" + huge), -DBL_MAX);
    EXPECT_EQ(MyVal(huge + ",5 g"), DBL_MAX);
    EXPECT_EQ(MyVal("0," + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(MyVal(std::string(400, '0') + "7"), 7.0);
}

TEST(MyValRegional, AnOtherRegionalSeparatorIsReadToo) {
    EXPECT_EQ(MyVal("3\xD9\xAB"
                    "5",
                    "\xD9\xAB"),
              3.5);  // Arabic decimal separator
    EXPECT_EQ(MyVal("3\xD9\xAB"
                    "5",
                    ","),
              3.0);
    EXPECT_EQ(MyVal("2,5", "."), 2.5);
}

TEST(MyValAbsent, AnAbsentValueGivesAnAbsentResult) {
    EXPECT_FALSE(MyValNullable(std::nullopt).has_value());
    EXPECT_EQ(MyValNullable(std::string_view("8,25")).value(), 8.25);
    EXPECT_EQ(MyValNullable(std::string_view("")).value(), 0.0);
}

}  // namespace
