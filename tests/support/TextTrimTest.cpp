#include "support/text/TextTrim.h"

#include <gtest/gtest.h>

using jitswap::qsTrimEx;

TEST(TrimEx, RemovesOnlyOuterBlanksAndTabs)
{
    EXPECT_EQ(qsTrimEx(L"  1 \t"), L"1");
    EXPECT_EQ(qsTrimEx(L"a  b"), L"a  b");
    EXPECT_EQ(qsTrimEx(L"   "), L"");
    EXPECT_EQ(qsTrimEx(L""), L"");
    // Line breaks are text, not blanks: a value holding "1\n" was not written as "1".
    EXPECT_EQ(qsTrimEx(L"1\n"), L"1\n");
}
