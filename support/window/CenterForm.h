#pragma once

#include <windows.h>

namespace jitswap {

// Centres the window on the work area of the monitor the mouse pointer is on.
void qsCenterFormEx(HWND window);

} // namespace jitswap
