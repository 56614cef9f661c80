#include "support/text/ArgumentQuoting.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include <vector>

using namespace jitswap;

namespace {

struct Quoting {
    const wchar_t* argument;
    const wchar_t* quoted;
};

// The awkward arguments a debugger's command line brings, and how each must stand.
const Quoting kQuotings[] = {
    {L"", L"\"\""},
    {L"vsjitdebugger.exe", L"vsjitdebugger.exe"},
    {L"-p %ld -e %ld", L"\"-p %ld -e %ld\""},
    {L"100%", L"100%"},
    {L"C:\\Program Files\\WinDbg\\", L"\"C:\\Program Files\\WinDbg\\\\\""},
    {L"C:\\tools\\", L"C:\\tools\\"},
    {L"\"C:\\Program Files\\x64dbg.exe\" -a %ld", L"\"\\\"C:\\Program Files\\x64dbg.exe\\\" -a %ld\""},
    {L"a\\\"b", L"\"a\\\\\\\"b\""},
    {L"a\\\\b", L"a\\\\b"},
    {L"\\\\server\\share\\dbg.exe \"%ld\"", L"\"\\\\server\\share\\dbg.exe \\\"%ld\\\"\""},
    {L"tab\there", L"\"tab\there\""},
    {L"отладчик «ё»", L"\"отладчик «ё»\""},
    {L"\"", L"\"\\\"\""},
    {L" ", L"\" \""},
};

} // namespace

TEST(ArgumentQuoting, QuotesOnlyWhatNeedsItAndEscapesQuotesWithTheirBackslashes)
{
    for (const Quoting& quoting : kQuotings) EXPECT_EQ(QuoteArgument(quoting.argument), quoting.quoted);
    EXPECT_EQ(JoinArguments({L"/apply", L"", L"a b", L"1"}), L"/apply \"\" \"a b\" 1");
    EXPECT_EQ(JoinArguments({}), L"");
}

#ifdef _WIN32
// The system's own parser reads every argument back unchanged, empty ones and neighbours included.
TEST(ArgumentQuoting, CommandLineToArgvWReadsEveryArgumentBack)
{
    std::vector<std::wstring> arguments{L"jitswap.exe"};
    for (const Quoting& quoting : kQuotings) arguments.push_back(quoting.argument);
    arguments.push_back(L"last");

    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(JoinArguments(arguments).c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    const std::vector<std::wstring> readBack(parsed, parsed + count);
    LocalFree(parsed);
    EXPECT_EQ(readBack, arguments);
}
#endif
