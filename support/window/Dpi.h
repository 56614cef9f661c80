#pragma once
// Sizes in twips (1/1440 inch) turned into pixels at a window's own DPI, so that the windows keep
// their proportions on every monitor, and the program's dialog font at that DPI.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// The window's DPI (per monitor where the system supports it, else the system DPI).
UINT WindowDpi(HWND window);

inline int TwipsToPixels(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT TwipsToPixels(const TwipsRect& rect, UINT dpi);

// The outer window rectangle for a client rectangle, with the non-client metrics of that DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi);

// A system metric at that DPI (SM_CXICON, SM_CXSMICON, ...).
int SystemMetricForDpi(int index, UINT dpi);

// Tahoma 9 pt, normal weight, Cyrillic character set: the font of every window of the program.
UniqueFont CreateFormFont(UINT dpi);

} // namespace jitswap
