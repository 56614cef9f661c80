#include "support/shell/TrayMenuHook.h"

#include "support/win32/ScopeGuard.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

TrayMenuHook::~TrayMenuHook()
{
    if (m_tray) m_tray->Activated = nullptr;
}

bool TrayMenuHook::Attach(HWND owner, TrayIcon& tray, int menuBarPosition)
{
    m_owner = owner;
    m_tray = &tray;
    m_menuBarPosition = menuBarPosition;
    tray.Activated = [this](TrayAction action, POINT anchor) { Popup(action, anchor); };
    return true;
}

void TrayMenuHook::Popup(TrayAction /*action*/, POINT anchor)
{
    // The shell's notices keep coming while the menu is open (a second click on the icon, the
    // keyboard's selection reported once more): they belong to the open menu, not to a new one.
    if (m_popupOpen || !IsWindow(m_owner)) return;

    m_popupOpen = true;
    const auto closed = OnScopeExit([this] { m_popupOpen = false; });

    HMENU popup = GetSubMenu(GetMenu(m_owner), m_menuBarPosition);
    if (!popup) throw Win32Error("Finding the tray menu", ERROR_NOT_FOUND);
    if (BeforePopupMenu) BeforePopupMenu(popup);

    // Without the owner in the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(m_owner);
    const UINT alignment = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenuEx(popup, alignment | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, anchor.x, anchor.y, m_owner, nullptr);
    // Lets the menu's own loop see a message, so that it closes properly (a known shell quirk).
    PostMessageW(m_owner, WM_NULL, 0, 0);
}

} // namespace jitswap
