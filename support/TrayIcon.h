#pragma once
// The program's icon in the notification area: its picture, its tooltip, and the user's actions
// on it. The icon stays there across restarts of the shell and until this object goes.

#include "support/UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>

namespace jitswap {

enum class TrayAction {
    ContextMenu,  // right click, or the context-menu key
    Select,       // left click
    KeySelect,    // Space or Enter while the icon has the keyboard focus
};

class TrayIcon {
public:
    // The shell's entry point; tests give a stand-in to produce a shell that is not ready yet.
    using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

    explicit TrayIcon(NotifyFunction notify = &Shell_NotifyIconW);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetText(std::wstring_view tooltip);
    void SetIcon(UniqueIcon icon);
    HICON Icon() const noexcept { return m_icon.get(); }
    // Shows or removes the icon. A shell that cannot take it yet is asked again every second.
    void SetVisible(bool visible);
    bool IsVisible() const noexcept { return m_visible; }
    // Whether the shell holds the icon now.
    bool IsInNotificationArea() const noexcept { return m_added; }

    // The hidden window the shell reports to; (Handle(), kIconId) names the icon to the shell.
    HWND Handle() const noexcept { return m_window.get(); }
    static constexpr UINT kIconId = 1;

    // Raised for each user action on the icon, with the point the shell gives for it (screen
    // coordinates, negative on monitors left of or above the primary one).
    std::function<void(TrayAction, POINT)> Activated;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW Data(UINT flags) const;
    void AddToShell();
    void UpdateShell();

    NotifyFunction m_notify;
    UniqueWindow m_window;
    UINT m_taskbarCreated = 0;
    UniqueIcon m_icon;
    std::wstring m_text;
    bool m_visible = false;
    bool m_added = false;
};

} // namespace jitswap
