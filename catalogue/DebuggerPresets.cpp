#include "catalogue/DebuggerPresets.h"

#include "catalogue/CommandLineParts.h"

namespace jitswap {
namespace {

// The tools' own install commands quote the executable, then add these arguments.
std::wstring Form(const std::wstring& executable, std::wstring_view arguments)
{
    return QuotedPath(executable) + L" " + std::wstring(arguments);
}

std::wstring FormOr32(const PresetLocation& location, std::wstring_view arguments)
{
    return location.executable32.empty() ? std::wstring() : Form(location.executable32, arguments);
}

} // namespace

std::wstring PresetTitle(PresetKind kind)
{
    switch (kind) {
    case PresetKind::VisualStudio: return L"Visual Studio";
    case PresetKind::WinDbg: return L"WinDbg";
    case PresetKind::Cdb: return L"CDB";
    case PresetKind::X64dbg: return L"x64dbg";
    case PresetKind::DrMingw: return L"Dr. Mingw";
    case PresetKind::ProcDump: return L"ProcDump";
    case PresetKind::WineDbg: return L"Отладчик Wine";
    case PresetKind::NoDebugger: return L"Без отладчика";
    }
    return {};
}

DebuggerEntry PresetEntry(PresetKind kind, const PresetLocation& location)
{
    DebuggerEntry entry;
    entry.Title = PresetTitle(kind);
    entry.Auto = kind != PresetKind::NoDebugger;
    switch (kind) {
    case PresetKind::VisualStudio:
        // As Visual Studio registers itself: the JIT_DEBUG_INFO address lets it show the exception.
        entry.CommandLine = Form(location.executable, L"-p %ld -e %ld -j 0x%p");
        break;
    case PresetKind::DrMingw:
        entry.CommandLine = Form(location.executable, L"-p %ld -e %ld");
        break;
    case PresetKind::WinDbg:
    case PresetKind::Cdb:
        entry.CommandLine = Form(location.executable, L"-p %ld -e %ld -g");
        entry.CommandLine32 = FormOr32(location, L"-p %ld -e %ld -g");
        break;
    case PresetKind::X64dbg:
        entry.CommandLine = Form(location.executable, L"-a %ld -e %ld");
        entry.CommandLine32 = FormOr32(location, L"-a %ld -e %ld");
        break;
    case PresetKind::ProcDump:
        // One executable for both views: it switches to the crashed program's bitness itself.
        entry.CommandLine = Form(location.executable, L"-accepteula -j " + QuotedPath(location.dumpFolder) +
                                                          L" %ld %ld %p");
        break;
    case PresetKind::WineDbg:
        // Exactly Wine's own default, so that a fresh prefix's setting is recognised as this entry.
        entry.CommandLine = L"winedbg --auto %ld %ld";
        break;
    case PresetKind::NoDebugger:
        break;
    }
    return entry;
}

} // namespace jitswap
