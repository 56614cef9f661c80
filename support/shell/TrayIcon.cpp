#include "support/shell/TrayIcon.h"

#include "support/text/ShortenedText.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"
#include "support/window/RunTimeError.h"
#include "support/window/WindowClass.h"

#include <windowsx.h>

namespace jitswap {
namespace {

constexpr wchar_t kClassName[] = L"JitswapTrayIcon";
constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMilliseconds = 1000;

void AllowMessageWhenElevated(HWND window, UINT message)
{
    // An elevated program does not receive the shell's broadcast from the unelevated shell unless
    // it lets it through its message filter (Windows 7 and later).
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    auto filter = LoadedFunction<FilterFn>(L"user32.dll", "ChangeWindowMessageFilterEx");
    if (filter) filter(window, message, 1 /* MSGFLT_ALLOW */, nullptr);
}

} // namespace

TrayIcon::TrayIcon(NotifyFunction notify) : m_notify(notify)
{
    RegisterWindowClass(kClassName, &OwnedWindowProc);
    // A top-level window, not a message-only one: only top-level windows hear "TaskbarCreated".
    m_window.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), static_cast<WindowOwner*>(this)));
    if (!m_window) ThrowLastError("Creating the tray icon window");
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    AllowMessageWhenElevated(m_window.get(), m_taskbarCreated);
}

TrayIcon::~TrayIcon()
{
    if (m_added) {
        NOTIFYICONDATAW data = Data(0);
        m_notify(NIM_DELETE, &data);
    }
    // While every member still lives: the window's last messages come to this object.
    m_window.reset();
}

void TrayIcon::SetText(std::wstring_view tooltip)
{
    // The shell keeps 127 characters of a tooltip and its terminator.
    std::wstring text = ShortenedText(tooltip, std::size(NOTIFYICONDATAW{}.szTip) - 1);
    // Each update is a call into the shell's process: none for nothing.
    if (text == m_text) return;
    m_text = std::move(text);
    UpdateShell();
}

void TrayIcon::ShowBalloon(std::wstring_view title, std::wstring_view text)
{
    if (!m_added) return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    const Balloon balloon{ShortenedText(title, std::size(data.szInfoTitle) - 1),
                          ShortenedText(text, std::size(data.szInfo) - 1)};
    balloon.title.copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
    balloon.text.copy(data.szInfo, std::size(data.szInfo) - 1);
    data.dwInfoFlags = NIIF_WARNING;
    if (m_notify(NIM_MODIFY, &data)) m_balloon = balloon;
}

void TrayIcon::HideBalloon()
{
    if (!m_balloon) return;
    m_balloon.reset();
    // A notice without text replaces the one shown, and shows nothing.
    NOTIFYICONDATAW data = Data(NIF_INFO);
    m_notify(NIM_MODIFY, &data);
}

void TrayIcon::SetIcon(UniqueIcon icon)
{
    m_icon = std::move(icon);
    UpdateShell();
}

void TrayIcon::SetVisible(bool visible)
{
    if (visible == m_visible) return;
    m_visible = visible;
    if (visible) {
        AddToShell();
        return;
    }
    KillTimer(m_window.get(), kRetryTimer);
    m_balloon.reset();
    if (m_added) {
        NOTIFYICONDATAW data = Data(0);
        m_notify(NIM_DELETE, &data);
        m_added = false;
    }
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window.get();
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = m_icon.get();
    m_text.copy(data.szTip, std::size(data.szTip) - 1);
    data.uVersion = NOTIFYICON_VERSION_4;
    return data;
}

void TrayIcon::AddToShell()
{
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    // An add the shell refuses may still have reached it (a busy shell times the call out), and an
    // icon already there refuses a second add: then the icon only needs bringing up to date. So
    // the icon is never in the notification area twice.
    m_added = m_notify(NIM_ADD, &data) || m_notify(NIM_MODIFY, &data);
    if (!m_added) {
        SetTimer(m_window.get(), kRetryTimer, kRetryMilliseconds, nullptr);
        return;
    }
    KillTimer(m_window.get(), kRetryTimer);
    m_notify(NIM_SETVERSION, &data);
}

void TrayIcon::UpdateShell()
{
    if (!m_added) return;
    NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    m_notify(NIM_MODIFY, &data);
}

LRESULT TrayIcon::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCallbackMessage) {
        // After a run-time error the program is ending: a click would only meet the same failure.
        if (IsEndingAfterRunTimeError()) return 0;
        // Version 4 of the shell's protocol: the event in the low word, the anchor point in wParam.
        const POINT anchor{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
        switch (LOWORD(lParam)) {
        case WM_CONTEXTMENU:
            if (Activated) Activated(TrayAction::ContextMenu, anchor);
            break;
        case NIN_SELECT:
            if (Activated) Activated(TrayAction::Select, anchor);
            break;
        case NIN_KEYSELECT:
            if (Activated) Activated(TrayAction::KeySelect, anchor);
            break;
        case NIN_BALLOONUSERCLICK:
            if (!m_balloon) break;
            m_balloon.reset();
            if (BalloonClicked) BalloonClicked();
            break;
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONHIDE:
            m_balloon.reset();
            break;
        default:
            break;
        }
        return 0;
    }
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        // The shell has (re)started and lost its icons, or says so: put ours back.
        if (m_visible) {
            m_added = false;
            m_balloon.reset();  // it went with the shell
            AddToShell();
        }
        if (ShellRestarted) ShellRestarted();
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimer) {
        if (m_visible && !m_added) AddToShell();
        else KillTimer(m_window.get(), kRetryTimer);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace jitswap
