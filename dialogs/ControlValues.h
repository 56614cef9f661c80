#pragma once
// The values of standard controls as the dialogs and their callers read and write them.

#include <windows.h>

#include <string>

namespace jitswap {

// The whole text of a window, of any length.
std::wstring TextOf(HWND window);
void SetTextOf(HWND window, const std::wstring& text);

// A check box as 0 (unchecked) or 1 (checked); any other state reads as 0.
int CheckValueOf(HWND checkBox);
void SetCheckValueOf(HWND checkBox, int value);

} // namespace jitswap
