#include "support/form/Form.h"

#include "support/loop/MessageLoop.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"
#include "support/window/ApplicationWindow.h"
#include "support/window/WindowClass.h"

namespace jitswap {
namespace {

constexpr wchar_t kFormProperty[] = L"Jitswap.Form";

} // namespace

void Form::WindowCreated(HWND window) noexcept
{
    m_window = window;
    SetPropW(window, kFormProperty, this);
}

Form::~Form()
{
    if (m_window) DestroyWindow(m_window);
}

bool Form::IsVisible() const noexcept
{
    return m_window && IsWindowVisible(m_window);
}

void Form::Show()
{
    ShowWindow(m_window, SW_SHOW);
}

void Form::Hide()
{
    m_modalHold.ReleaseInput();
    ShowWindow(m_window, SW_HIDE);
}

void Form::Activate()
{
    if (!IsVisible()) return;
    // A modal form's own modal children stay in front of it.
    HWND front = GetLastActivePopup(m_window);
    // A form disabled under a modal form that it does not own (both owned by the program's hidden
    // window) must not come over it: the one that takes input comes forward instead.
    if (!front || !IsWindowEnabled(front)) {
        HWND owner = GetWindow(m_window, GW_OWNER);
        HWND last = owner ? GetLastActivePopup(owner) : nullptr;
        front = last && last != owner && IsWindowVisible(last) && IsWindowEnabled(last) ? last : m_window;
    }
    SetForegroundWindow(front);
}

void Form::ShowModal()
{
    HWND active = GetActiveWindow();
    m_modalHold.Take(m_window, FromHandle(active) ? active : nullptr);
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    if (HWND first = GetNextDlgTabItem(m_window, nullptr, FALSE)) SetFocus(first);

    RunModalLoop([this] { return IsVisible(); }, &Form::ProcessMessage);

    if (IsVisible()) Hide();
    m_modalHold.ReleaseInput();
    m_modalHold.ReturnOwner();
}

void Form::Unload()
{
    if (!m_window) return;
    if (Form_QueryUnload(UnloadMode::Code)) return;
    m_modalHold.ReleaseInput();
    DestroyWindow(m_window);
}

void Form::RequestClose(UnloadMode mode)
{
    if (Form_QueryUnload(mode)) return;
    m_modalHold.ReleaseInput();
    DestroyWindow(m_window);
}

Form* Form::FromHandle(HWND window) noexcept
{
    // Other windows of the program's belong to objects that are no forms (the tray icon's).
    if (!WindowOwner::Of(window)) return nullptr;
    return static_cast<Form*>(GetPropW(window, kFormProperty));
}

void Form::CreateFormWindow(const WindowSpec& design)
{
    RegisterWindowClass(design.className, &OwnedWindowProc,
                        {CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    m_keyPreview = design.keyPreview;
    m_dialogKeys = design.dialogKeys;

    // A form given no owner belongs to the program's hidden window, which keeps it off the taskbar.
    HWND owner = design.owner ? design.owner : qsGetThunderMainHandle();
    HWND window = CreateWindowExW(design.exStyle, design.className, design.caption.c_str(), design.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 0, 0, owner, design.menu, GetModuleHandleW(nullptr),
                                  static_cast<WindowOwner*>(this));
    if (!window) {
        if (design.menu) DestroyMenu(design.menu);
        ThrowLastError("Creating a window");
    }
    m_layout.Attach(window, design.clientWidthTwips, design.clientHeightTwips);
}

HWND Form::AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, const TwipsRect& rect, int id,
                      DWORD exStyle)
{
    const RECT pixels = ToPixels(rect);
    HWND control = CreateWindowExW(exStyle, windowClass, text, style | WS_CHILD, pixels.left, pixels.top,
                                   pixels.right - pixels.left, pixels.bottom - pixels.top, m_window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (!control) ThrowLastError("Creating a control");
    m_layout.Place(control, rect);
    return control;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT Form::OnPaint()
{
    const PaintDC dc(m_window);
    if (dc.get()) Form_Paint(dc.get());
    return 0;
}

LRESULT Form::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_PAINT:
        return OnPaint();
    case WM_CLOSE:
        RequestClose(UnloadMode::ControlMenu);
        return 0;
    case WM_QUERYENDSESSION:
        // Nothing of the program's is lost when the session ends: a save is whole or not made.
        // A refusal here would only have Windows name the program as the one in the way, and the
        // question may yet be cancelled by another program, so the form stays until the end.
        return TRUE;
    case WM_ENDSESSION:
        // The session does end: the form closes as the user's close would (a dialog drops its edits).
        if (wParam) RequestClose(UnloadMode::WindowsSession);
        return 0;
    case DM_GETDEFID:
        if (m_defaultButton) return MAKELRESULT(m_defaultButton, DC_HASDEFID);
        break;
    case WM_ACTIVATE:
        if (m_focus.OnActivate(m_window, wParam)) return 0;
        break;
    case WM_DPICHANGED:
        m_layout.ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        OnDpiChanged();
        InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_DESTROY:
        Form_Unload();
        break;
    default:
        break;
    }
    return OnMessage(message, wParam, lParam);
}

void Form::WindowDestroyed() noexcept
{
    RemovePropW(m_window, kFormProperty);
    m_window = nullptr;
    m_layout.Detach();
    m_focus.Forget();
}

void qsUnloadForm(HWND window)
{
    if (Form* form = Form::FromHandle(window)) {
        form->Unload();
        return;
    }
    if (!DestroyWindow(window)) ThrowLastError("Closing a window");
}

} // namespace jitswap
