// What the command line means, for every form a person or a script may type.

#include "app/Command.h"
#include "catalogue/CDebuggers.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace jitswap;

namespace {

struct Reading {
    std::vector<std::wstring> arguments;
    CommandKind kind;
    std::wstring entry = {};
};

} // namespace

TEST(Command, ReadsEachFormAndRefusesTheRest)
{
    const Reading readings[] = {
        {{}, CommandKind::Tray},
        {{L"/?"}, CommandKind::Usage},
        {{L"-?"}, CommandKind::Usage},
        {{L"/list"}, CommandKind::List},
        {{L"/LIST"}, CommandKind::List},
        {{L"-Current"}, CommandKind::Current},
        {{L"/use", L"2"}, CommandKind::Use, L"2"},
        {{L"/use", L"  Dr. Mingw  "}, CommandKind::Use, L"  Dr. Mingw  "},
        {{L"/use", L"/list"}, CommandKind::Use, L"/list"},
        {{L"/use"}, CommandKind::BadUsage},
        {{L"/use", L"1", L"2"}, CommandKind::BadUsage},
        {{L"/list", L"x"}, CommandKind::BadUsage},
        {{L"/uses", L"1"}, CommandKind::BadUsage},
        {{L"list"}, CommandKind::BadUsage},
        {{L"/"}, CommandKind::BadUsage},
        {{L""}, CommandKind::BadUsage},
        {{L"/apply", L"a", L"b"}, CommandKind::BadUsage},
        {{L"/apply", L"a", L"b", L"true"}, CommandKind::BadUsage},
        {{L"/apply", L"a", L"b", L"1", L"1"}, CommandKind::BadUsage},
    };
    for (const Reading& reading : readings) {
        const Command command = ParseCommand(reading.arguments);
        const std::wstring shown = reading.arguments.empty() ? L"(none)" : reading.arguments.front();
        EXPECT_EQ(command.kind, reading.kind) << testing::PrintToString(shown);
        EXPECT_EQ(command.entry, reading.entry);
        EXPECT_EQ(command.problem.empty(), reading.kind != CommandKind::BadUsage);
    }
}

TEST(Command, ApplyCarriesTheChoiceExactly)
{
    for (const DebuggerChoice& choice : {DebuggerChoice{L"\"C:\\x64dbg.exe\" -a %ld -e %ld", L"", true},
                                         DebuggerChoice{L"", L"x32dbg.exe -a %ld", false},
                                         DebuggerChoice{L"/list", L"-?", true}}) {
        const Command command = ParseCommand(ApplyArguments(choice));
        ASSERT_EQ(command.kind, CommandKind::Apply);
        EXPECT_EQ(command.choice.commandLine, choice.commandLine);
        EXPECT_EQ(command.choice.commandLine32, choice.commandLine32);
        EXPECT_EQ(command.choice.autoStart, choice.autoStart);
    }
    // Cut short, it is no command at all.
    std::vector<std::wstring> cut = ApplyArguments({L"a", L"b", true});
    cut.pop_back();
    EXPECT_EQ(ParseCommand(cut).kind, CommandKind::BadUsage);
}

TEST(Command, FindsAnEntryByNumberOrByExactTitle)
{
    CDebuggers catalogue([] { return std::unique_ptr<SettingsStore>(); });
    catalogue.Add({L"WinDbg", {L"windbg.exe -p %ld -e %ld", L"", true}});
    catalogue.Add({L"12", {L"twelve.exe", L"", false}});
    catalogue.Add({L"WinDbg", {L"second.exe", L"", false}});

    EXPECT_EQ(FindEntry(catalogue, L"1"), 0);
    EXPECT_EQ(FindEntry(catalogue, L"003"), 2);
    EXPECT_EQ(FindEntry(catalogue, L"WinDbg"), 0) << "the first of equal titles";
    for (const wchar_t* none : {L"0", L"4", L"12", L"99999999999999999999", L"windbg", L"WinDbg ", L""})
        EXPECT_EQ(FindEntry(catalogue, none), std::nullopt) << testing::PrintToString(std::wstring(none));
}

TEST(Command, CrashedTakesTheValuesTheSystemPasses)
{
    const struct {
        std::vector<std::wstring> arguments;
        std::optional<SystemArguments> crash;  // std::nullopt: bad usage
    } cases[] = {
        {{L"/crashed", L"4660", L"208"}, SystemArguments{4660, 208, 0}},
        {{L"-CRASHED", L"4294967295", L"0"}, SystemArguments{0xFFFFFFFF, 0, 0}},
        // The address of the crash's details, as %p fills it, with or without the 0x a line puts before it.
        {{L"/crashed", L"4660", L"208", L"000000000012F0a0"}, SystemArguments{4660, 208, 0x12F0A0}},
        {{L"/crashed", L"4660", L"208", L"0xFFFFFFFFFFFFFFFF"}, SystemArguments{4660, 208, ~0ull}},
        {{L"/crashed"}, std::nullopt},
        {{L"/crashed", L"4660"}, std::nullopt},
        {{L"/crashed", L"0", L"208"}, std::nullopt},
        {{L"/crashed", L"4294967296", L"208"}, std::nullopt},
        {{L"/crashed", L"-4660", L"208"}, std::nullopt},
        {{L"/crashed", L"4660", L"0x10"}, std::nullopt},
        {{L"/crashed", L"46 60", L"208"}, std::nullopt},
        {{L"/crashed", L"", L"208"}, std::nullopt},
        {{L"/crashed", L"4660", L"208", L"0x"}, std::nullopt},
        {{L"/crashed", L"4660", L"208", L"12G4"}, std::nullopt},
        {{L"/crashed", L"4660", L"208", L"10000000000000000"}, std::nullopt},
        {{L"/crashed", L"4660", L"208", L"12F0A0", L"1"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const Command command = ParseCommand(c.arguments);
        const std::wstring shown = c.arguments.size() > 1 ? c.arguments[1] : L"(none)";
        ASSERT_EQ(command.kind, c.crash ? CommandKind::Crashed : CommandKind::BadUsage) << testing::PrintToString(shown);
        if (!c.crash) continue;
        EXPECT_EQ(command.crash.processId, c.crash->processId);
        EXPECT_EQ(command.crash.event, c.crash->event);
        EXPECT_EQ(command.crash.debugInfo, c.crash->debugInfo);
    }
}

TEST(Command, CheckMayCrashProgramsOfEitherBitnessOrBoth)
{
    const std::pair<std::vector<std::wstring>, std::optional<unsigned>> readings[] = {
        {{L"/check"}, 0u},
        {{L"-CHECK"}, 0u},
        {{L"/check", L"/crash"}, kCrash32 | kCrash64},
        {{L"/check", L"-Crash", L"64"}, kCrash64},
        {{L"/check", L"/crash", L"32"}, kCrash32},
        {{L"/check", L"/crash", L"16"}, std::nullopt},
        {{L"/check", L"/crash", L"64", L"32"}, std::nullopt},
        {{L"/check", L"64"}, std::nullopt},
        {{L"/crash"}, std::nullopt},
    };
    for (const auto& [arguments, crashes] : readings) {
        const Command command = ParseCommand(arguments);
        SCOPED_TRACE(testing::PrintToString(arguments.back()));
        EXPECT_EQ(command.kind, crashes ? CommandKind::Check : CommandKind::BadUsage);
        EXPECT_EQ(command.crashes, crashes.value_or(command.crashes));
        EXPECT_EQ(command.problem.empty(), crashes.has_value());
    }
}
