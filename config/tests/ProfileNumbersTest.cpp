#include "config/ProfileNumbers.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileNumbers, DecimalAndBothHexadecimalForms)
{
    EXPECT_EQ(ParseProfileInteger("255"), 255);
    EXPECT_EQ(ParseProfileInteger("0x0000FF"), 255);
    EXPECT_EQ(ParseProfileInteger("0X0000ff"), 255);
    EXPECT_EQ(ParseProfileInteger("$0000FF"), 255);
    EXPECT_EQ(ParseProfileInteger("-12"), -12);
    EXPECT_EQ(ParseProfileInteger("+7"), 7);
    EXPECT_EQ(ParseProfileInteger("$FFFFFFFF"), -1) << "hexadecimal fills all 32 bits";
    EXPECT_EQ(ParseProfileInteger("-2147483648"), INT32_MIN);
}

TEST(ProfileNumbers, AnythingElseGivesNothing)
{
    for (const char* text : {"", "red", "true", "12a", "0x", "$", "-", " 5", "2147483648", "$100000000", "1.5"})
        EXPECT_FALSE(ParseProfileInteger(text).has_value()) << '"' << text << '"';
}

TEST(ProfileNumbers, ColoursTakeSystemColourCodesInEveryForm)
{
    EXPECT_EQ(ParseProfileColor("0x8000000F"), 0x8000000Fu);
    EXPECT_EQ(ParseProfileColor("2147483663"), 0x8000000Fu) << "decimal above the signed range";
    EXPECT_EQ(ParseProfileColor("16711680"), 0xFF0000u);
    EXPECT_FALSE(ParseProfileColor("4294967296").has_value());
    EXPECT_FALSE(ParseProfileColor("blue").has_value());
}

}  // namespace
