#include "support/text/NumberText.h"

#include <gtest/gtest.h>

using namespace jitswap;

TEST(NumberText, DigitsInEitherBasePaddedToTheWidthAsked)
{
    EXPECT_EQ(NumberText(0), L"0");
    EXPECT_EQ(NumberText(6, 10, 4), L"0006");
    EXPECT_EQ(NumberText(12345, 10, 2), L"12345");
    EXPECT_EQ(NumberText(0x0419, 16, 4), L"0419");
    EXPECT_EQ(NumberText(0x04E3, 16, 4), L"04e3");
    EXPECT_EQ(NumberText(18446744073709551615ULL), L"18446744073709551615");
    EXPECT_EQ(NarrowNumberText(4294967295UL), "4294967295");
}
