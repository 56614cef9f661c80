#pragma once
// A window's focus kept across deactivation: the control that had it gets it back when the window
// is active again, as in the system's dialogs.

#include <windows.h>

namespace jitswap {

class FocusMemory {
public:
    // Handles WM_ACTIVATE of `window`; true when it gave the focus back (the message is then handled).
    bool OnActivate(HWND window, WPARAM wParam) noexcept;
    void Forget() noexcept { m_lastFocus = nullptr; }

private:
    HWND m_lastFocus = nullptr;
};

} // namespace jitswap
