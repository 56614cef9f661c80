#pragma once
// Pops a window's menu up from its tray icon: on a right click, a left click or the keyboard's
// selection of the icon, once per action, after telling the owner so it can bring the menu up to date.

#include "support/shell/TrayIcon.h"

#include <windows.h>

#include <functional>

namespace jitswap {

class TrayMenuHook {
public:
    TrayMenuHook() = default;
    ~TrayMenuHook();
    TrayMenuHook(const TrayMenuHook&) = delete;
    TrayMenuHook& operator=(const TrayMenuHook&) = delete;

    // From now on the popup at `menuBarPosition` of the owner's menu bar opens from the tray icon.
    // The owner receives the chosen item's WM_COMMAND. Returns true.
    bool Attach(HWND owner, TrayIcon& tray, int menuBarPosition);

    // Raised before every popup, with the popup about to open; it opens as the handler leaves it.
    std::function<void(HMENU)> BeforePopupMenu;

private:
    void Popup(TrayAction action, POINT anchor);

    HWND m_owner = nullptr;
    TrayIcon* m_tray = nullptr;
    int m_menuBarPosition = 0;
    bool m_popupOpen = false;
};

} // namespace jitswap
