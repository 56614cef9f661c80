#pragma once
// The system's just-in-time debugger: the command line Windows runs when a program crashes
// ("Debugger") and whether it runs it without asking the user first ("Auto"). On the NT family
// they are registry values under HKEY_LOCAL_MACHINE; on older hosts, keys of WIN.INI's section
// "AeDebug". The host family is asked on every call; nothing is kept between calls.

#include <string>
#include <string_view>

namespace jitswap {

// Under HKEY_LOCAL_MACHINE, in every registry view the system keeps.
inline constexpr wchar_t kAeDebugSubkey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

// How the system takes a stored "Auto": set only for "1", with or without blanks and tabs around it.
bool IsAutoText(std::wstring_view stored);

// Writes the command line unchanged; the empty text deletes the setting instead. True when the
// value was written (or is gone), false when the system refused.
bool SetSystemDebugger(const std::wstring& commandLine);

// The command line as stored, untrimmed; empty when none is set.
std::wstring GetSystemDebugger();

// Writes "1" or "0". True when the value was written.
bool SetSystemDebuggerAuto(bool autoStart);

// IsAutoText of the stored value; absent is false.
bool GetSystemDebuggerAuto();

} // namespace jitswap
