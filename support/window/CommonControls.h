#pragma once
// The common controls, version 6 as the manifest asks for them, loaded only when a window of the
// program first needs them: the tray icon, its menu and its balloons need none, so a tray copy
// that never opens a dialog never carries them.

#include <windows.h>

namespace jitswap {

// Registers the common control classes named by ICC_* flags, loading the library first. The
// library comes from the system, through the manifest's activation context, never from the
// program's folder; it stays loaded until the process ends, as windows of its classes may.
// Throws when it cannot be loaded.
void InitCommonControlClasses(DWORD classes);

// A function of the common controls, loading them first; nullptr when this Windows lacks it.
// Throws when they cannot be loaded.
FARPROC CommonControlsProcedure(const char* name);
template <class Function>
Function CommonControlsFunction(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(CommonControlsProcedure(name)));
}

} // namespace jitswap
