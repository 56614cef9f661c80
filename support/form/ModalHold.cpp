#include "support/form/ModalHold.h"

#include "support/window/ApplicationWindow.h"

namespace jitswap {
namespace {

struct DisabledWindows {
    HWND modal;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableUnlessModal(HWND window, LPARAM context)
{
    auto& state = *reinterpret_cast<DisabledWindows*>(context);
    if (window != state.modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        state.windows.push_back(window);
    }
    return TRUE;
}

// The other windows of this thread that a modal form must keep from taking input.
std::vector<HWND> DisableOtherWindows(HWND modal)
{
    DisabledWindows state{modal, {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableUnlessModal, reinterpret_cast<LPARAM>(&state));
    return state.windows;
}

} // namespace

void ModalHold::Take(HWND modal, HWND openedFrom)
{
    // Shown without an owner of its own, a modal form belongs to the window it was opened from, as
    // the system's dialogs do: it stays in front of it, and that window is active again after it.
    m_modal = modal;
    m_designedOwner = GetWindow(modal, GW_OWNER);
    m_ownerBorrowed = openedFrom && openedFrom != modal && IsWindowVisible(openedFrom) &&
                      m_designedOwner == qsGetThunderMainHandle();
    if (m_ownerBorrowed) SetWindowLongPtrW(modal, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(openedFrom));
    m_disabled = DisableOtherWindows(modal);
}

void ModalHold::ReleaseInput() noexcept
{
    for (HWND window : m_disabled) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    m_disabled.clear();
}

void ModalHold::ReturnOwner() noexcept
{
    if (m_ownerBorrowed && IsWindow(m_modal))
        SetWindowLongPtrW(m_modal, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_designedOwner));
    m_ownerBorrowed = false;
    m_modal = nullptr;
}

} // namespace jitswap
