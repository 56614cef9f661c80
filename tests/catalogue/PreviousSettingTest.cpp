#include "catalogue/PreviousSetting.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

SystemDebuggerState State(std::wstring native, bool autoStart, std::optional<std::wstring> wow32 = std::nullopt)
{
    SystemDebuggerState state{{std::move(native), autoStart}, std::nullopt};
    if (wow32) state.wow32 = AeDebugView{*wow32, autoStart};
    return state;
}

} // namespace

TEST(PreviousSetting, OnlyASettingThatWouldBeLostIsKeptOrAskedAbout)
{
    using enum PreviousSettingStep;
    const DebuggerChoice chosen{L"new.exe -p %ld", L"", true};
    struct Case {
        SystemDebuggerState current;
        bool held, full;
        PreviousSettingStep step;
    };
    const Case cases[] = {
        {State(L"vsjitdebugger.exe -p %ld", false, L"vsjitdebugger.exe -p %ld"), false, false, Keep},
        {State(L"vsjitdebugger.exe -p %ld", false), false, true, AskFirst},
        {State(L"vsjitdebugger.exe -p %ld", false), true, false, None},       // an entry holds it
        {State(L"new.exe -p %ld", true, L"new.exe -p %ld"), false, true, None},  // it is what is chosen
        {State(L"", false, L""), false, true, None},                         // nothing to lose
        {State(L"  \t", true), false, false, None},
        {State(L"", false, L"x32dbg.exe -a %ld"), false, false, Keep},         // only the 32-bit view holds one
        {State(L"new.exe -p %ld", false), false, false, Keep},                 // the same line, the other Auto
    };
    for (const Case& each : cases)
        EXPECT_EQ(PlanPreviousSetting(each.current, chosen, each.held, each.full), each.step)
            << static_cast<int>(&each - cases);
}

TEST(PreviousSetting, TheEntryHoldsBothViewsAndAutoAndIsNamedForItsExecutable)
{
    const DebuggerEntry both = PreviousSettingEntry(State(L"\"C:\\Program Files\\VS\\vsjitdebugger.exe\" -p %ld", true,
                                                          L"C:\\x86\\dbg32.exe -p %ld"));
    EXPECT_EQ(both.title, L"Прежний: vsjitdebugger.exe");
    EXPECT_EQ(both.choice.commandLine, L"\"C:\\Program Files\\VS\\vsjitdebugger.exe\" -p %ld");
    EXPECT_EQ(both.choice.commandLine32, L"C:\\x86\\dbg32.exe -p %ld");
    EXPECT_TRUE(both.choice.autoStart);

    const DebuggerEntry same = PreviousSettingEntry(State(L"winedbg --auto %ld %ld", false, L"winedbg --auto %ld %ld"));
    EXPECT_EQ(same.title, L"Прежний: winedbg");
    EXPECT_EQ(same.choice.commandLine32, L"");

    const DebuggerEntry only32 = PreviousSettingEntry(State(L"", false, L"x32dbg.exe -a %ld"));
    EXPECT_EQ(only32.title, L"Прежний: x32dbg.exe");
    EXPECT_EQ(only32.choice.commandLine, L"");
    EXPECT_EQ(only32.choice.commandLine32, L"x32dbg.exe -a %ld");
}
