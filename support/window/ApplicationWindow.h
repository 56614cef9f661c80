#pragma once
// The program's hidden window.

#include <windows.h>

namespace jitswap {

// The hidden window that owns every window of the program shown without an owner of its own,
// which keeps them off the taskbar. Created on first use; lives until the process ends.
HWND qsGetThunderMainHandle();

} // namespace jitswap
