#pragma once
// The program's icon in the notification area: its picture, its tooltip, and the user's actions
// on it. The icon stays there across restarts of the shell and until this object goes.

#include "support/win32/UniqueHandle.h"
#include "support/window/WindowClass.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace jitswap {

enum class TrayAction {
    ContextMenu,  // right click, or the context-menu key
    Select,       // left click
    KeySelect,    // Space or Enter while the icon has the keyboard focus
};

class TrayIcon final : private WindowOwner {
public:
    // The shell's entry point; tests give a stand-in to produce a shell that is not ready yet.
    using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

    explicit TrayIcon(NotifyFunction notify = &Shell_NotifyIconW);
    ~TrayIcon();

    // The tooltip, cut with "…" to the shell's limit when it is longer.
    void SetText(std::wstring_view tooltip);
    const std::wstring& Text() const noexcept { return m_text; }
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

    // A notice from the icon (a balloon, or a toast on Windows 10 and later), cut to the shell's
    // limits. It replaces the one shown before; none is shown while the shell does not hold the icon.
    struct Balloon {
        std::wstring title;
        std::wstring text;
    };
    void ShowBalloon(std::wstring_view title, std::wstring_view text);
    // Takes down the notice shown, if the user can still click it.
    void HideBalloon();
    // The notice the user can still click: shown, and neither clicked, closed nor timed out yet.
    const std::optional<Balloon>& PendingBalloon() const noexcept { return m_balloon; }
    // Raised when the user clicks the notice.
    std::function<void()> BalloonClicked;

    // Raised for each user action on the icon, with the point the shell gives for it (screen
    // coordinates, negative on monitors left of or above the primary one).
    std::function<void(TrayAction, POINT)> Activated;
    // Raised when a restarted shell has the icon again, as the moment to redraw it for the
    // shell's DPI, which may have changed meanwhile.
    std::function<void()> ShellRestarted;

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    NOTIFYICONDATAW Data(UINT flags) const;
    void AddToShell();
    void UpdateShell();

    NotifyFunction m_notify;
    UniqueWindow m_window;
    UINT m_taskbarCreated = 0;
    UniqueIcon m_icon;
    std::wstring m_text;
    std::optional<Balloon> m_balloon;
    bool m_visible = false;
    bool m_added = false;
};

} // namespace jitswap
