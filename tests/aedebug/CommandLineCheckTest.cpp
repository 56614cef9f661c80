#include "aedebug/CommandLineCheck.h"
#include "aedebug/CommandLineParts.h"

#include <gtest/gtest.h>

#include <set>

using namespace jitswap;

namespace {

struct Case {
    const wchar_t* commandLine;
    const wchar_t* refusedFor;  // a part the refusal must quote; nullptr when it is accepted
    const wchar_t* executable;
    const wchar_t* quotedForm;
    bool missing;
    bool lacksProcessId;
};

// clang-format off
const Case kCases[] = {
    // No debugger at all is a choice, not a fault.
    {L"", nullptr, L"", L"", false, false},
    {L"C:\\dbg.exe -p %ld -e %ld", nullptr, L"C:\\dbg.exe", L"", false, false},
    {L"vsjitdebugger.exe -p %ld -e %ld -j 0x%p", nullptr, L"vsjitdebugger.exe", L"", false, false},
    {L"winedbg --auto %ld %ld", nullptr, L"winedbg", L"", false, false},
    // A later word that ends in .exe is not the path once an option came before it.
    {L"winedbg --auto other.exe %ld", nullptr, L"winedbg", L"", false, false},
    {L"  \"C:\\Program Files\\dbg.exe\" -p %ld", nullptr, L"C:\\Program Files\\dbg.exe", L"", false, false},
    // The unquoted-path hole, and the quoted form offered for it.
    {L"C:\\Program Files\\Tools\\dbg.exe -p %ld -e %ld", nullptr, L"C:\\Program Files\\Tools\\dbg.exe",
     L"\"C:\\Program Files\\Tools\\dbg.exe\" -p %ld -e %ld", false, false},
    {L"C:\\Program Files\\Tools\\DBG.EXE\t%ld", nullptr, L"C:\\Program Files\\Tools\\DBG.EXE",
     L"\"C:\\Program Files\\Tools\\DBG.EXE\"\t%ld", true, false},
    // Without an extension Windows tries every blank-separated prefix with ".exe" added: the one it
    // finds is the program, and quotes are offered as for a path ending in ".exe".
    {L"C:\\Program Files\\Tools\\dbg -p %ld", nullptr, L"C:\\Program Files\\Tools\\dbg",
     L"\"C:\\Program Files\\Tools\\dbg\" -p %ld", false, false},
    {L"C:\\Program Files\\dbg %ld", nullptr, L"C:\\Program Files\\dbg", L"\"C:\\Program Files\\dbg\" %ld", false, false},
    // Found nowhere, the line names its first word, as before.
    {L"C:\\My Tools\\dbg -p %ld", nullptr, L"C:\\My", L"", true, false},
    // An unclosed quote runs to the end, as Windows reads it.
    {L"\"C:\\Program Files\\dbg.exe -p %ld", nullptr, L"C:\\Program Files\\dbg.exe -p %ld", L"", true, false},
    {L"   ", nullptr, L"", L"", true, true},
    {L"missing.exe -p %ld -e %ld", nullptr, L"missing.exe", L"", true, false},
    {L"C:\\dbg.exe --dump 100%%", nullptr, L"C:\\dbg.exe", L"", false, true},
    // A literal percent sign followed by "ld" is text, not the process id.
    {L"C:\\dbg.exe -p %%ld", nullptr, L"C:\\dbg.exe", L"", false, true},
    {L"C:\\dbg.exe -p %ld -e %ld -j 0x%p", nullptr, L"C:\\dbg.exe", L"", false, false},
    // The system passes the process id, the event and the details' address in that order: a
    // sequence out of place gets the wrong one, and the expected form is shown.
    {L"C:\\dbg.exe -e %ld %p", L"«-p %ld -e %ld -j 0x%p»", L"", L"", false, false},
    {L"C:\\dbg.exe %p -p %ld -e %ld", L"«-p %ld -e %ld -j 0x%p»", L"", L"", false, false},
    {L"C:\\dbg.exe -j 0x%p", L"«-p %ld -e %ld -j 0x%p»", L"", L"", false, false},
    // Sequences that read or write through a number, or read past what the system passes.
    {L"C:\\dbg.exe -p %s", L"«%s»", L"", L"", false, false},
    {L"C:\\dbg.exe -p %ld %n", L"«%n»", L"", L"", false, false},
    {L"C:\\dbg.exe -p %d", L"«%d»", L"", L"", false, false},
    {L"C:\\dbg.exe -p %-20ls", L"«%-20ls»", L"", L"", false, false},
    {L"C:\\dbg.exe -p %lld", L"«%lld»", L"", L"", false, false},
    {L"C:\\dbg.exe -p %LD", L"«%L", L"", L"", false, false},
    {L"C:\\dbg.exe 100%", L"«%»", L"", L"", false, false},
    {L"C:\\dbg.exe %ld %ld %p %ld", L"не больше трёх", L"", L"", false, false},
    // Environment variables are not expanded in this value: "%S" would read the pid as a string.
    {L"%SystemRoot%\\System32\\vsjitdebugger.exe -p %ld", L"«%SystemRoot%»", L"", L"", false, false},
    {L"\"%ProgramFiles(x86)%\\dbg.exe\" -p %ld", L"«%ProgramFiles(x86)%»", L"", L"", false, false},
};
// clang-format on

const std::set<std::wstring> kExisting{L"C:\\dbg.exe", L"vsjitdebugger.exe", L"winedbg",
                                       L"C:\\Program Files\\dbg.exe", L"C:\\Program Files\\Tools\\dbg.exe"};

} // namespace

TEST(CommandLineCheck, FindsRefusalsQuotesMissingExecutablesAndAMissingProcessId)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(::testing::Message() << "command line: " << ::testing::PrintToString(std::wstring(c.commandLine)));
        bool lookedUp = false;
        const auto findings = CheckCommandLine(c.commandLine, [&](const std::wstring& executable) {
            lookedUp = true;
            // As Windows looks: ".exe" is added to a name without an extension.
            const bool extension = FileNameOf(executable).find(L'.') != std::wstring::npos;
            return kExisting.count(executable) > 0 || (!extension && kExisting.count(executable + L".exe") > 0);
        });
        EXPECT_EQ(CommandLineRefusal(c.commandLine), findings.refusal);
        if (c.refusedFor) {
            EXPECT_NE(findings.refusal.find(c.refusedFor), std::wstring::npos) << ::testing::PrintToString(findings.refusal);
            EXPECT_FALSE(lookedUp);
            continue;
        }
        EXPECT_EQ(findings.refusal, L"");
        EXPECT_EQ(findings.executable, c.executable);
        EXPECT_EQ(findings.quotedForm, c.quotedForm);
        EXPECT_EQ(findings.executableMissing, c.missing);
        EXPECT_EQ(findings.lacksProcessId, c.lacksProcessId);
        // The line alone puts it in the same place, unless it was found by a name without ".exe".
        if (c.missing || FileNameOf(c.executable).find(L'.') != std::wstring::npos) {
            EXPECT_EQ(ExecutablePart(c.commandLine), c.executable);
        }
    }
}

TEST(CommandLineParts, PreviousEntryTitleNamesTheExecutableFile)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"winedbg --auto %ld %ld", L"Прежний: winedbg"},
        {L"\"C:\\Program Files\\Tools\\dbg.exe\" -p %ld", L"Прежний: dbg.exe"},
        {L"C:\\Program Files (x86)\\Windows Kits\\10\\Debuggers\\x86\\windbg.exe -p %ld -e %ld -g",
         L"Прежний: windbg.exe"},
        {L"C:/tools/drmingw.exe -p %ld -e %ld", L"Прежний: drmingw.exe"},
        {L"C:dbg.exe", L"Прежний: dbg.exe"},
    };
    for (const auto& [commandLine, title] : cases) EXPECT_EQ(PreviousEntryTitle(commandLine), title) << commandLine;
}
