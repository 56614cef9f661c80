#include "catalogue/DebuggerPresets.h"
#include "catalogue/FirstCatalogue.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

std::wstring Describe(const DebuggerEntry& entry)
{
    return entry.title + L"|" + entry.choice.commandLine + L"|" + entry.choice.commandLine32 + (entry.choice.autoStart ? L"|1" : L"|0");
}

std::wstring Describe(const std::vector<DebuggerEntry>& entries)
{
    std::wstring text;
    for (const auto& entry : entries) text += (text.empty() ? L"" : L"; ") + Describe(entry);
    return text;
}

const std::wstring kKits = L"C:\\Program Files (x86)\\Windows Kits\\10\\Debuggers\\";

} // namespace

TEST(DebuggerPresets, EachFormIsTheOneItsToolRegisters)
{
    const struct {
        PresetKind kind;
        PresetLocation location;
        const wchar_t* expected;
    } cases[] = {
        {PresetKind::VisualStudio, {L"C:\\Windows\\system32\\vsjitdebugger.exe", L"", L""},
         L"Visual Studio|\"C:\\Windows\\system32\\vsjitdebugger.exe\" -p %ld -e %ld -j 0x%p||1"},
        {PresetKind::WinDbg, {kKits + L"x64\\windbg.exe", kKits + L"x86\\windbg.exe", L""},
         L"WinDbg|\"C:\\Program Files (x86)\\Windows Kits\\10\\Debuggers\\x64\\windbg.exe\" -p %ld -e %ld -g|"
         L"\"C:\\Program Files (x86)\\Windows Kits\\10\\Debuggers\\x86\\windbg.exe\" -p %ld -e %ld -g|1"},
        // Without a 32-bit executable the 64-bit one serves both views.
        {PresetKind::Cdb, {kKits + L"x64\\cdb.exe", L"", L""},
         L"CDB|\"C:\\Program Files (x86)\\Windows Kits\\10\\Debuggers\\x64\\cdb.exe\" -p %ld -e %ld -g||1"},
        {PresetKind::X64dbg, {L"D:\\x64dbg\\x64\\x64dbg.exe", L"D:\\x64dbg\\x32\\x32dbg.exe", L""},
         L"x64dbg|\"D:\\x64dbg\\x64\\x64dbg.exe\" -a %ld -e %ld|\"D:\\x64dbg\\x32\\x32dbg.exe\" -a %ld -e %ld|1"},
        {PresetKind::DrMingw, {L"C:\\drmingw\\bin\\drmingw.exe", L"", L""},
         L"Dr. Mingw|\"C:\\drmingw\\bin\\drmingw.exe\" -p %ld -e %ld||1"},
        {PresetKind::ProcDump, {L"C:\\Tools\\procdump.exe", L"", L"D:\\Crash Dumps"},
         L"ProcDump|\"C:\\Tools\\procdump.exe\" -accepteula -j \"D:\\Crash Dumps\" %ld %ld %p||1"},
        // A folder's last backslash must not escape the quote after it.
        {PresetKind::ProcDump, {L"C:\\Tools\\procdump.exe", L"", L"D:\\"},
         L"ProcDump|\"C:\\Tools\\procdump.exe\" -accepteula -j \"D:\\\\\" %ld %ld %p||1"},
        {PresetKind::WineDbg, {L"winedbg", L"", L""}, L"Отладчик Wine|winedbg --auto %ld %ld||1"},
        {PresetKind::NoDebugger, {}, L"Без отладчика|||0"},
        // One line for both views: the chooser serves 32-bit programs too.
        {PresetKind::CrashChooser, {L"C:\\Program Files\\Jitswap\\jitswap.exe", L"", L""},
         L"Спросить при сбое|\"C:\\Program Files\\Jitswap\\jitswap.exe\" /crashed %ld %ld||1"},
    };
    for (const auto& c : cases) EXPECT_EQ(Describe(PresetEntry(c.kind, c.location)), c.expected);
}

TEST(FirstCatalogue, TheSystemsSettingFirstThenThePresetsNoTwoAlike)
{
    const DebuggerEntry wine = PresetEntry(PresetKind::WineDbg, {L"winedbg", L"", L""});
    const DebuggerEntry none = PresetEntry(PresetKind::NoDebugger, {});
    const DebuggerEntry drmingw = PresetEntry(PresetKind::DrMingw, {L"C:\\d\\drmingw.exe", L"", L""});

    // A fresh Wine prefix: the system's setting is Wine's own debugger, which becomes one entry.
    EXPECT_EQ(Describe(FirstCatalogue({L"Прежний: winedbg", {L"winedbg --auto %ld %ld", L"", true}}, {wine, none})),
              L"Отладчик Wine|winedbg --auto %ld %ld||1; Без отладчика|||0");
    // The same command line in the 32-bit view is the same setting.
    EXPECT_EQ(Describe(FirstCatalogue({L"Прежний: winedbg", {L"winedbg --auto %ld %ld", L"winedbg --auto %ld %ld", true}},
                                      {wine})),
              L"Отладчик Wine|winedbg --auto %ld %ld||1");
    // Another Auto is another setting, kept first under its own title.
    EXPECT_EQ(Describe(FirstCatalogue({L"Прежний: winedbg", {L"winedbg --auto %ld %ld", L"", false}}, {wine})),
              L"Прежний: winedbg|winedbg --auto %ld %ld||0; Отладчик Wine|winedbg --auto %ld %ld||1");
    // Nothing set: only what was found, and a preset found twice is listed once.
    EXPECT_EQ(Describe(FirstCatalogue({L"Прежний: ", {L"", L"", false}}, {drmingw, none, drmingw})),
              L"Dr. Mingw|\"C:\\d\\drmingw.exe\" -p %ld -e %ld||1; Без отладчика|||0");
    // A debugger set only for 32-bit programs is a setting too.
    EXPECT_EQ(Describe(FirstCatalogue({L"Прежний: x32dbg.exe", {L"", L"x32dbg.exe -a %ld -e %ld", true}}, {})),
              L"Прежний: x32dbg.exe||x32dbg.exe -a %ld -e %ld|1");
}
