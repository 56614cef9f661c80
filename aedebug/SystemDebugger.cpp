// Both registry views on 64-bit Windows, the one key on 32-bit Windows, WIN.INI on the older
// family. A switch is all or nothing: a refused write puts back what the writes before it changed.
#include "aedebug/SystemDebugger.h"

#include "aedebug/AeDebugRegistry.h"
#include "aedebug/modAeDebug.h"
#include "support/win32/HostFamily.h"
#include "support/win32/Win32Error.h"

namespace jitswap {
namespace {

void WriteView(AeDebugChanges& changes, RegistryView view, const std::wstring& commandLine, bool autoStart)
{
    if (commandLine.empty())
        changes.Delete(view, kDebuggerValue);
    else
        changes.WriteText(view, kDebuggerValue, commandLine);
    changes.WriteText(view, kAutoValue, autoStart ? L"1" : L"0");
}

// Auto is written last, so a refused Auto leaves only Debugger to put back.
SwitchResult ApplyToWinIni(const DebuggerChoice& choice)
{
    const std::wstring before = GetSystemDebugger();
    if (!SetSystemDebugger(choice.commandLine)) return SwitchResult::Failed;
    if (SetSystemDebuggerAuto(choice.autoStart)) return SwitchResult::Done;
    return SetSystemDebugger(before) ? SwitchResult::Failed : SwitchResult::PartlyChanged;
}

} // namespace

SystemDebuggerState ReadSystemDebuggerState()
{
    if (!qsIsHostWinNT()) return {AeDebugView{GetSystemDebugger(), GetSystemDebuggerAuto()}, std::nullopt};
    const AeDebugViews views = AeDebugViewsHere();
    SystemDebuggerState state{ReadAeDebugKey(views.native), std::nullopt};
    if (views.wow32) state.wow32 = ReadAeDebugKey(*views.wow32);
    return state;
}

SwitchResult ApplySystemDebugger(const DebuggerChoice& choice)
{
    if (!qsIsHostWinNT()) return ApplyToWinIni(choice);

    const AeDebugViews views = AeDebugViewsHere();
    AeDebugChanges changes;
    try {
        WriteView(changes, views.native, choice.commandLine, choice.autoStart);
        if (views.wow32) WriteView(changes, *views.wow32, choice.CommandLineFor32(), choice.autoStart);
        return SwitchResult::Done;
    } catch (const Win32Error& error) {
        if (!changes.Undo()) return SwitchResult::PartlyChanged;
        return error.Code() == ERROR_ACCESS_DENIED ? SwitchResult::AccessDenied : SwitchResult::Failed;
    } catch (...) {
        if (!changes.Undo()) return SwitchResult::PartlyChanged;
        throw;
    }
}

} // namespace jitswap
