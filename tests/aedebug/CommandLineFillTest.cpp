#include "aedebug/CommandLineFill.h"

#include <gtest/gtest.h>

using namespace jitswap;

TEST(CommandLineFill, EachSequenceTakesTheNextValueAsPrintfWould)
{
    const SystemArguments crash{4660, 208, 0x12F0A0};
    const struct {
        const wchar_t* line;
        std::size_t pointerDigits;
        const wchar_t* filled;
    } cases[] = {
        {L"\"C:\\dbg.exe\" -p %ld -e %ld", 16, L"\"C:\\dbg.exe\" -p 4660 -e 208"},
        {L"vsjitdebugger.exe -p %ld -e %ld -j 0x%p", 16, L"vsjitdebugger.exe -p 4660 -e 208 -j 0x000000000012F0A0"},
        {L"procdump.exe -j \"D:\\dumps\" %ld %ld %p", 8, L"procdump.exe -j \"D:\\dumps\" 4660 208 0012F0A0"},
        // Percent signs written as %% are no sequences and take no value.
        {L"dbg.exe 100%% -p %ld%%", 16, L"dbg.exe 100% -p 4660%"},
        // The order is the line's: a %p first takes the process id.
        {L"dbg.exe %p %ld", 8, L"dbg.exe 00001234 208"},
        // A line the check refuses is never filled; even so nothing reads past the three values.
        {L"dbg.exe %ld %ld %p %ld %s %", 8, L"dbg.exe 4660 208 0012F0A0 0 %s %"},
        {L"dbg.exe", 16, L"dbg.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillCommandLine(c.line, crash, c.pointerDigits), c.filled) << c.line;

    // %ld is a 32-bit long on Windows: a value past its range reads as negative, as the system prints it.
    EXPECT_EQ(FillCommandLine(L"%ld %ld %ld", {0xFFFFFFFF, 0x80000000, 0x1'0000'0005}, 16), L"-1 -2147483648 5");
}
