// Which system settings an entry's choice matches, and the choice "Определить" takes from them.
#include "aedebug/SystemDebugger.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

const DebuggerChoice kSame{L"dbg.exe -p %ld", L"", true};
const DebuggerChoice kOwn32{L"x64dbg.exe -a %ld -e %ld", L"x32dbg.exe -a %ld -e %ld", false};

SystemDebuggerState State(AeDebugView native, std::optional<AeDebugView> wow32)
{
    return SystemDebuggerState{std::move(native), std::move(wow32)};
}

} // namespace

TEST(SystemDebuggerMatch, AnEntryMatchesOnlyWhenEveryViewHoldsItExactly)
{
    struct Case {
        const char* what;
        SystemDebuggerState state;
        const DebuggerChoice& choice;
        bool matches;
    };
    const Case cases[] = {
        {"both views agree", State({L"dbg.exe -p %ld", true}, AeDebugView{L"dbg.exe -p %ld", true}), kSame, true},
        {"one view, 32-bit Windows", State({L"dbg.exe -p %ld", true}, std::nullopt), kSame, true},
        {"the 32-bit view differs", State({L"dbg.exe -p %ld", true}, AeDebugView{L"old.exe", true}), kSame, false},
        {"the 32-bit view is empty", State({L"dbg.exe -p %ld", true}, AeDebugView{}), kSame, false},
        {"only the 32-bit view agrees", State({L"old.exe", true}, AeDebugView{L"dbg.exe -p %ld", true}), kSame, false},
        {"Auto off in the 32-bit view", State({L"dbg.exe -p %ld", true}, AeDebugView{L"dbg.exe -p %ld", false}),
         kSame, false},
        {"case differs", State({L"DBG.EXE -p %ld", true}, AeDebugView{L"DBG.EXE -p %ld", true}), kSame, false},
        {"own 32-bit line in place",
         State({L"x64dbg.exe -a %ld -e %ld", false}, AeDebugView{L"x32dbg.exe -a %ld -e %ld", false}), kOwn32, true},
        {"own 32-bit line, both views hold the native one",
         State({L"x64dbg.exe -a %ld -e %ld", false}, AeDebugView{L"x64dbg.exe -a %ld -e %ld", false}), kOwn32, false},
        {"no debugger anywhere", State({}, AeDebugView{}), DebuggerChoice{}, true},
        {"a Debugger that is no text", State({L"", false, true}, AeDebugView{}), DebuggerChoice{}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(Matches(c.state, c.choice), c.matches) << c.what;
}

TEST(SystemDebuggerMatch, TheChoiceOfAStateWritesItBackAndMatchesIt)
{
    const SystemDebuggerState agree = State({L"dbg.exe -p %ld", true}, AeDebugView{L"dbg.exe -p %ld", true});
    EXPECT_EQ(ChoiceFromState(agree).commandLine32, L"") << "the same in both views";
    EXPECT_TRUE(Matches(agree, ChoiceFromState(agree)));

    const SystemDebuggerState differ =
        State({L"x64dbg.exe -a %ld -e %ld", false}, AeDebugView{L"x32dbg.exe -a %ld -e %ld", false});
    const DebuggerChoice choice = ChoiceFromState(differ);
    EXPECT_EQ(choice.commandLine, L"x64dbg.exe -a %ld -e %ld");
    EXPECT_EQ(choice.commandLine32, L"x32dbg.exe -a %ld -e %ld");
    EXPECT_FALSE(choice.autoStart);
    EXPECT_TRUE(Matches(differ, choice));

    // Auto comes from the native view.
    EXPECT_TRUE(ChoiceFromState(State({L"a.exe", true}, AeDebugView{L"a.exe", false})).autoStart);
}

TEST(SystemDebuggerMatch, ASwitchOnItsWayHoldsOnlyValuesAsBeforeOrAsWritten)
{
    const SystemDebuggerState from = State({L"old.exe", false}, AeDebugView{L"old32.exe", false});
    struct Case {
        const char* what;
        SystemDebuggerState now;
        bool onTheWay;
    };
    const Case cases[] = {
        {"nothing written yet", from, true},
        {"the native view written", State({L"x64dbg.exe -a %ld -e %ld", false}, AeDebugView{L"old32.exe", false}), true},
        {"Auto written first", State({L"old.exe", true}, AeDebugView{L"old32.exe", false}), true},
        {"every value written",
         State({L"x64dbg.exe -a %ld -e %ld", true}, AeDebugView{L"x32dbg.exe -a %ld -e %ld", true}), true},
        {"another program's line", State({L"other.exe", false}, AeDebugView{L"old32.exe", false}), false},
        {"the native line in the 32-bit view",
         State({L"x64dbg.exe -a %ld -e %ld", true}, AeDebugView{L"x64dbg.exe -a %ld -e %ld", true}), false},
    };
    const DebuggerChoice to{L"x64dbg.exe -a %ld -e %ld", L"x32dbg.exe -a %ld -e %ld", true};
    for (const Case& c : cases) EXPECT_EQ(IsOnTheWay(from, c.now, to), c.onTheWay) << c.what;
}

TEST(SystemDebuggerMatch, TheValuesLeftChangedAreNamedByView)
{
    const SystemDebuggerState before = State({L"old.exe", false}, AeDebugView{L"old.exe", false});
    struct Case {
        SystemDebuggerState now;
        const wchar_t* changed;
    };
    const Case cases[] = {
        {before, L""},
        {State({L"new.exe", false}, AeDebugView{L"old.exe", false}), L"Debugger (для 64-битных программ)"},
        {State({L"new.exe", true}, AeDebugView{L"old.exe", true}),
         L"Debugger, Auto (для 64-битных программ); Auto (для 32-битных программ)"},
        {State({L"old.exe", false}, AeDebugView{L"", false, true}), L"Debugger (для 32-битных программ)"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChangedValues(before, c.now), c.changed);
    // One view on 32-bit Windows: nothing to tell apart.
    EXPECT_EQ(ChangedValues(State({L"old.exe", false}, std::nullopt), State({L"old.exe", true}, std::nullopt)), L"Auto");
}
