#include "catalogue/DebuggerPresets.h"

#include "aedebug/CommandLineParts.h"

#include <algorithm>
#include <string_view>

namespace jitswap {
namespace {

constexpr std::wstring_view kDumpFolder = L"<dumps>";

// One row per preset, in the order of kAllPresets.
constexpr PresetRow kPresets[] = {
    // As Visual Studio registers itself: the JIT_DEBUG_INFO address lets it show the exception.
    {PresetKind::VisualStudio, L"Visual Studio", L"-p %ld -e %ld -j 0x%p", true, true, PresetPlace::SystemFolder,
     L"vsjitdebugger.exe", {}, {}, L"vsjitdebugger.exe|vsjitdebugger.exe"},
    {PresetKind::WinDbg, L"WinDbg", L"-p %ld -e %ld -g", true, true, PresetPlace::WindowsKits, nullptr,
     {L"x64", L"windbg.exe", L"x86", L"windbg.exe"}, {}, L"windbg.exe|windbg.exe"},
    {PresetKind::Cdb, L"CDB", L"-p %ld -e %ld -g", true, true, PresetPlace::WindowsKits, nullptr,
     {L"x64", L"cdb.exe", L"x86", L"cdb.exe"}, {}, L"cdb.exe|cdb.exe"},
    {PresetKind::X64dbg, L"x64dbg", L"-a %ld -e %ld", true, true, PresetPlace::PathFolders, nullptr,
     {L"x64", L"x64dbg.exe", L"x32", L"x32dbg.exe"}, {L"x96dbg.exe", L"x64dbg.exe", L"x32dbg.exe"},
     L"x64dbg (x96dbg.exe, x64dbg.exe, x32dbg.exe)|x96dbg.exe;x64dbg.exe;x32dbg.exe"},
    {PresetKind::DrMingw, L"Dr. Mingw", L"-p %ld -e %ld", true, true, PresetPlace::PathFolders, nullptr, {},
     {L"drmingw.exe"}, L"drmingw.exe|drmingw.exe"},
    // One executable for both views: it switches to the crashed program's bitness itself.
    {PresetKind::ProcDump, L"ProcDump", L"-accepteula -j <dumps> %ld %ld %p", true, true, PresetPlace::PathFolders,
     nullptr, {}, {L"procdump.exe", L"procdump64.exe"}, L"procdump.exe|procdump.exe;procdump64.exe",
     L"Папка для дампов ProcDump"},
    // Exactly Wine's own default, so that a fresh prefix's setting is recognised as this entry.
    {PresetKind::WineDbg, L"Отладчик Wine", L"--auto %ld %ld", false, true, PresetPlace::Wine, nullptr, {}, {},
     nullptr},
    {PresetKind::NoDebugger, L"Без отладчика", nullptr, true, false, PresetPlace::Nowhere, nullptr, {}, {}, nullptr},
    // This program asks at the crash which entry of the catalogue to start. Two values, not %p as
    // well: Wine passes only two, and a %p it does not fill would format a value never passed.
    {PresetKind::CrashChooser, L"Спросить при сбое", L"/crashed %ld %ld", true, true, PresetPlace::ThisProgram,
     nullptr, {}, {}, nullptr, nullptr, true},
};

constexpr bool InTheOrderOffered()
{
    if (std::size(kPresets) != kAllPresets.size()) return false;
    for (std::size_t i = 0; i < kAllPresets.size(); ++i) {
        if (kPresets[i].kind != kAllPresets[i]) return false;
    }
    return true;
}
static_assert(InTheOrderOffered(), "one row per preset, in the order of kAllPresets");

// The tools' own install commands quote the executable, then add the arguments.
std::wstring CommandLineOf(const PresetRow& row, const std::wstring& executable, const std::wstring& dumpFolder)
{
    std::wstring arguments = row.arguments;
    if (const std::size_t at = arguments.find(kDumpFolder); at != std::wstring::npos)
        arguments.replace(at, kDumpFolder.size(), QuotedPath(dumpFolder));
    return (row.quoteExecutable ? QuotedPath(executable) : executable) + L" " + arguments;
}

} // namespace

const PresetRow& PresetRowOf(PresetKind kind)
{
    const auto at = std::find(kAllPresets.begin(), kAllPresets.end(), kind);
    return kPresets[static_cast<std::size_t>(at - kAllPresets.begin())];
}

std::wstring PresetTitle(PresetKind kind)
{
    return PresetRowOf(kind).title;
}

DebuggerEntry PresetEntry(PresetKind kind, const PresetLocation& location)
{
    const PresetRow& row = PresetRowOf(kind);
    DebuggerEntry entry{row.title, DebuggerChoice{{}, {}, row.autoStart}};
    if (!row.arguments) return entry;
    entry.choice.commandLine = CommandLineOf(row, location.executable, location.dumpFolder);
    // A tool with an executable of its own for 32-bit programs gets a line of its own for them.
    if (!location.executable32.empty())
        entry.choice.commandLine32 = CommandLineOf(row, location.executable32, location.dumpFolder);
    return entry;
}

} // namespace jitswap
