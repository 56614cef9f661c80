#pragma once
// What showing a form modally does to the program's other windows: the form belongs to the window
// it was opened from while it is shown, and the others take no input until it goes.

#include <windows.h>

#include <vector>

namespace jitswap {

class ModalHold {
public:
    // Before the modal form shows. `openedFrom` is the program's own window the user was in when
    // the form was opened (none: it was opened from the tray or from no window of the program's).
    void Take(HWND modal, HWND openedFrom);
    // Before the modal form hides or goes, so that the system can activate one of the others.
    void ReleaseInput() noexcept;
    // After the modal form is hidden: it belongs to its designed owner again.
    void ReturnOwner() noexcept;

private:
    HWND m_modal = nullptr;
    HWND m_designedOwner = nullptr;
    bool m_ownerBorrowed = false;
    std::vector<HWND> m_disabled;
};

} // namespace jitswap
