#pragma once
// The system's just-in-time debugger: the command line Windows runs when a program crashes
// ("Debugger") and whether it runs it without asking the user first ("Auto"). On the NT family
// they are registry values under HKEY_LOCAL_MACHINE; on older hosts, keys of WIN.INI's section
// "AeDebug". The host family is asked on every call; nothing is kept between calls.

#include <string>

namespace jitswap {

// Writes the command line unchanged; the empty text deletes the setting instead. True when the
// value was written (or is gone), false when the system refused.
bool SetSystemDebugger(const std::wstring& commandLine);

// The command line as stored, untrimmed; empty when none is set.
std::wstring GetSystemDebugger();

// Writes "1" or "0". True when the value was written.
bool SetSystemDebuggerAuto(bool autoStart);

// True only when the stored text, trimmed, is exactly "1"; absent or anything else is false.
bool GetSystemDebuggerAuto();

} // namespace jitswap
