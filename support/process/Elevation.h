#pragma once
// The program's own executable started with administrator rights, as Windows grants them: through
// the consent prompt of User Account Control.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace jitswap {

// True when the process already holds every right its user may have: elevated, or UAC is off.
bool IsProcessElevated();

// Starts the program's own executable (its full path, never a search) elevated and hidden, with
// the parameters. Returns the new process, or no handle when the user declined the prompt.
// Throws Win32Error when it could not be started.
UniqueHandle StartSelfElevated(HWND owner, const std::wstring& parameters);

} // namespace jitswap
