// The value rules for integers, flags and sizes.
#include "SettingValues.h"

#include <gtest/gtest.h>

namespace {

TEST(IntegerSetting, DecimalAndHexadecimalForms) {
    EXPECT_EQ(ParseIntegerSetting("7", -1), 7);
    EXPECT_EQ(ParseIntegerSetting("+7", -1), 7);
    EXPECT_EQ(ParseIntegerSetting("-12", 0), -12);
    EXPECT_EQ(ParseIntegerSetting("007", -1), 7);
    EXPECT_EQ(ParseIntegerSetting("$A", -1), 10);
    EXPECT_EQ(ParseIntegerSetting("$ff", -1), 255);
    EXPECT_EQ(ParseIntegerSetting("0x10", -1), 16);
    EXPECT_EQ(ParseIntegerSetting("0X1f", -1), 31);
    EXPECT_EQ(ParseIntegerSetting("-$A", 0), -10);
    EXPECT_EQ(ParseIntegerSetting("2147483647", 0), 2147483647);
    EXPECT_EQ(ParseIntegerSetting("-2147483648", 0), INT32_MIN);
    // Hexadecimal may use all 32 bits.
    EXPECT_EQ(ParseIntegerSetting("$FFFFFFFF", 0), -1);
    EXPECT_EQ(ParseIntegerSetting("0x80000000", 0), INT32_MIN);
}

TEST(IntegerSetting, AnythingElseGivesTheDefault) {
    for (const char* text :
         {"",    "abc",        "True",        "Yes",        "1.5",
          "1e3", "12a",        "$",           "0x",         "-",
          "+",   "$G",         "0x1G",        " 5",         "5 ",
          "--5", "2147483648", "-2147483649", "$100000000", "99999999999999999999999"})
        EXPECT_EQ(ParseIntegerSetting(text, -77), -77) << "'" << text << "'";
}

TEST(FlagSetting, NonZeroIntegersAreTrue) {
    EXPECT_TRUE(ParseFlagSetting("1"));
    EXPECT_TRUE(ParseFlagSetting("-1"));
    EXPECT_TRUE(ParseFlagSetting("0x10"));
    EXPECT_TRUE(ParseFlagSetting("$1"));
    EXPECT_FALSE(ParseFlagSetting("0"));
    EXPECT_FALSE(ParseFlagSetting("$0"));
    EXPECT_FALSE(ParseFlagSetting(""));
    EXPECT_FALSE(ParseFlagSetting("True"));
    EXPECT_FALSE(ParseFlagSetting("Yes"));
    EXPECT_FALSE(ParseFlagSetting("on"));
}

TEST(SizeSetting, NumbersAreTruncatedTowardZero) {
    EXPECT_EQ(ParseSizeSetting("4500", '.'), 4500);
    EXPECT_EQ(ParseSizeSetting("1234.9", '.'), 1234);
    EXPECT_EQ(ParseSizeSetting("-1234.9", '.'), -1234);
    EXPECT_EQ(ParseSizeSetting("0.999", '.'), 0);
    EXPECT_EQ(ParseSizeSetting(".5", '.'), 0);
    EXPECT_EQ(ParseSizeSetting("7.", '.'), 7);
    EXPECT_EQ(ParseSizeSetting("1.5e3", '.'), 1500);
    EXPECT_EQ(ParseSizeSetting("15E-1", '.'), 1);
    EXPECT_EQ(ParseSizeSetting("+2e+2", '.'), 200);
    EXPECT_EQ(ParseSizeSetting("  42  ", '.'), 42);
    EXPECT_EQ(ParseSizeSetting("9007199254740992", '.'), 9007199254740992LL);
    // Whole numbers are exact over the whole 64-bit range, past a double's 2^53.
    EXPECT_EQ(ParseSizeSetting("9007199254740993", '.'), 9007199254740993LL);
    EXPECT_EQ(ParseSizeSetting("9223372036854775807", ','), INT64_MAX);
    EXPECT_EQ(ParseSizeSetting("-9223372036854775808", '.'), INT64_MIN);
    EXPECT_EQ(ParseSizeSetting("9223372036854775808", '.'), 0);
    // Fractions and exponents too, without a double's rounding on the way.
    EXPECT_EQ(ParseSizeSetting("9223372036854775807.9", '.'), INT64_MAX);
    EXPECT_EQ(ParseSizeSetting("92233720368547758.07e2", '.'), INT64_MAX);
    EXPECT_EQ(ParseSizeSetting("-9.223372036854775808e18", '.'), INT64_MIN);
    EXPECT_EQ(ParseSizeSetting("1e19", '.'), 0);
    EXPECT_EQ(ParseSizeSetting("0e999999999999", '.'), 0);
    EXPECT_EQ(ParseSizeSetting("123e-999999999999", '.'), 0);
}

TEST(SizeSetting, TheRegionalDecimalSeparatorAloneSeparates) {
    EXPECT_EQ(ParseSizeSetting("1234,9", ','), 1234);
    // A point is read only when the user's separator cannot read the value,
    // so "2210.5" means the same everywhere and "1,5" keeps its meaning.
    EXPECT_EQ(ParseSizeSetting("1234.9", ','), 1234);
    EXPECT_EQ(ParseSizeSetting("2210.5", ','), 2210);
    EXPECT_EQ(ParseSizeSetting("1,5", ','), 1);
    EXPECT_EQ(ParseSizeSetting("1234,9", '.'), 0);
    EXPECT_EQ(ParseSizeSetting("1,5e3", ','), 1500);
}

TEST(SizeSetting, UnreadableValuesGiveZero) {
    for (const char* text : {"", "   ", "abc", "12abc", "1.2.3", "e5", "1e", "1e+", "0x10", "$10",
                             "inf", "nan", "-", ".", "1 000", "1e400", "1e19", "-1e19"})
        EXPECT_EQ(ParseSizeSetting(text, '.'), 0) << "'" << text << "'";
}

} // namespace
