#pragma once

#include <windows.h>

namespace jitswap {

// Selects the whole text of an edit control.
inline void qsHighlightText(HWND edit)
{
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

} // namespace jitswap
