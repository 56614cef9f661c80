#include "support/text/ShortenedText.h"

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
        // A character outside the basic plane (a surrogate pair in UTF-16, written as its two units
        // so that the case means the same where wchar_t is wider) is kept whole or dropped whole.
        {L"ab\xD83D\xDC1E" L"cd", 4, L"ab\u2026"},
        {L"ab\xD83D\xDC1E" L"cd", 5, L"ab\xD83D\xDC1E\u2026"},
    };
    for (const auto& c : cases) {
        const std::wstring result = ShortenedText(c.text, c.limit);
        EXPECT_EQ(result, c.expected) << "limit " << c.limit;
        EXPECT_LE(result.size(), c.limit);
    }
}
