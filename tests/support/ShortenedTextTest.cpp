#include "support/ShortenedText.h"

#include <gtest/gtest.h>

using jitswap::ShortenedText;

TEST(ShortenedText, FitsTheLimitAndShowsTheCut)
{
    const struct {
        std::wstring text;
        size_t limit;
        std::wstring expected;
    } cases[] = {
        {L"Jitswap: WinDbg", 15, L"Jitswap: WinDbg"},  // exactly at the limit: unchanged
        {L"Jitswap: WinDbg", 14, L"Jitswap: WinD\u2026"},
        {L"abc", 1, L"\u2026"},
        {L"abc", 0, L""},
        {L"", 0, L""},
        // A character outside the basic plane is kept whole or dropped whole.
        {L"ab\U0001F41Ecd", 4, L"ab\u2026"},
        {L"ab\U0001F41Ecd", 5, L"ab\U0001F41E\u2026"},
    };
    for (const auto& c : cases) {
        const std::wstring result = ShortenedText(c.text, c.limit);
        EXPECT_EQ(result, c.expected) << "limit " << c.limit;
        EXPECT_LE(result.size(), c.limit);
    }
}
