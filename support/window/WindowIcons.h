#pragma once

#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

// A window's big and small icons at the sizes of a DPI, kept for as long as the window shows them.
class WindowIcons {
public:
    // The icons shown before are freed only once the window holds the new ones.
    void Load(HWND window, const wchar_t* iconGroup, UINT dpi);

private:
    UniqueIcon m_big;
    UniqueIcon m_small;
};

} // namespace jitswap
