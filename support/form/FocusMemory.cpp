#include "support/form/FocusMemory.h"

namespace jitswap {

bool FocusMemory::OnActivate(HWND window, WPARAM wParam) noexcept
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) m_lastFocus = focus;
        return false;
    }
    if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(window, m_lastFocus)) {
        SetFocus(m_lastFocus);
        return true;
    }
    return false;
}

} // namespace jitswap
