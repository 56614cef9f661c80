#pragma once
// Tooltips of a window's buttons, from one tooltip control that the window owns and destroys with itself.

#include <windows.h>

namespace jitswap {

// Creates the tooltip control of `owner`. Throws when the control cannot be created.
HWND CreateToolTips(HWND owner);

// Shows `text` while the mouse rests on `control`, a child of the tooltip control's owner.
void AddToolTip(HWND toolTips, HWND control, const wchar_t* text);

} // namespace jitswap
