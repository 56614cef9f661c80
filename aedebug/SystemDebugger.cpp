// Both registry views on 64-bit Windows, the one key on 32-bit Windows, WIN.INI on the older
// family. A switch is all or nothing: a refused write puts back what the writes before it changed.
#include "aedebug/SystemDebugger.h"

#include "aedebug/AeDebugRegistry.h"
#include "aedebug/modAeDebug.h"
#include "support/win32/HostFamily.h"
#include "support/win32/Win32Error.h"
#include "support/win32/WindowsBitness.h"

namespace jitswap {
namespace {

// The 64-bit flag is given even to the 64-bit build, so that both builds say which view they mean.
RegistryView NativeView()
{
    return IsWindows64Bit() ? KEY_WOW64_64KEY : 0;
}

void WriteView(AeDebugChanges& changes, RegistryView view, const std::wstring& commandLine, bool autoStart)
{
    if (commandLine.empty())
        changes.Delete(view, L"Debugger");
    else
        changes.WriteText(view, L"Debugger", commandLine);
    changes.WriteText(view, L"Auto", autoStart ? L"1" : L"0");
}

// Auto is written last, so a refused Auto leaves only Debugger to put back.
SwitchResult ApplyToWinIni(const DebuggerChoice& choice)
{
    const std::wstring before = GetSystemDebugger();
    if (!SetSystemDebugger(choice.commandLine)) return SwitchResult::Failed;
    if (SetSystemDebuggerAuto(choice.autoStart)) return SwitchResult::Done;
    SetSystemDebugger(before);
    return SwitchResult::Failed;
}

} // namespace

SystemDebuggerState ReadSystemDebuggerState()
{
    if (!qsIsHostWinNT()) return {AeDebugView{GetSystemDebugger(), GetSystemDebuggerAuto()}, std::nullopt};
    SystemDebuggerState state{ReadAeDebugKey(NativeView()), std::nullopt};
    if (IsWindows64Bit()) state.wow32 = ReadAeDebugKey(KEY_WOW64_32KEY);
    return state;
}

SwitchResult ApplySystemDebugger(const DebuggerChoice& choice)
{
    if (!qsIsHostWinNT()) return ApplyToWinIni(choice);

    AeDebugChanges changes;
    try {
        WriteView(changes, NativeView(), choice.commandLine, choice.autoStart);
        if (IsWindows64Bit()) WriteView(changes, KEY_WOW64_32KEY, choice.CommandLineFor32(), choice.autoStart);
        return SwitchResult::Done;
    } catch (const Win32Error& error) {
        changes.Undo();
        return error.Code() == ERROR_ACCESS_DENIED ? SwitchResult::AccessDenied : SwitchResult::Failed;
    } catch (...) {
        changes.Undo();
        throw;
    }
}

} // namespace jitswap
