#pragma once
// The system's just-in-time debugger on hosts of the older Windows family, which keep it in
// WIN.INI's section "AeDebug": the command line Windows runs when a program crashes ("Debugger")
// and whether it runs it without asking the user first ("Auto"). The NT family keeps it in the
// registry (aedebug/SystemDebugger.h), and only that file decides which of the two is meant.

#include <string>

namespace jitswap {

// Writes the command line unchanged; the empty text deletes the setting instead. True when the
// value was written (or is gone), false when the system refused or WIN.INI could not give it back
// exactly.
bool SetSystemDebugger(const std::wstring& commandLine);

// The command line as stored, untrimmed; empty when none is set.
std::wstring GetSystemDebugger();

// Writes "1" or "0". True when the value was written.
bool SetSystemDebuggerAuto(bool autoStart);

// IsAutoText of the stored value; absent is false.
bool GetSystemDebuggerAuto();

} // namespace jitswap
