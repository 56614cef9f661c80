#include "support/Form.h"

#include "support/LoopWait.h"
#include "support/RunTimeError.h"
#include "support/Support.h"
#include "support/Win32Error.h"

namespace jitswap {
namespace {

constexpr wchar_t kFormProperty[] = L"Jitswap.Form";

void RegisterFormClass(const wchar_t* className, WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(instance, className, &existing)) return;

    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass)) ThrowLastError("Registering a window class");
}

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

// Enter presses the push button that has the focus, as in the system's dialogs; only when no
// button has it does Enter go to the default button. Returns whether the key was used.
bool PressFocusedButton(HWND root, const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (!focus || !IsChild(root, focus)) return false;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    const bool ownerDrawn =
        (code & DLGC_BUTTON) && (GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
    if (!(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) && !ownerDrawn) return false;
    if (IsWindowEnabled(focus))
        SendMessageW(root, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return true;
}

bool IsKeyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

int CurrentShiftState()
{
    return (IsKeyDown(VK_SHIFT) ? 1 : 0) | (IsKeyDown(VK_CONTROL) ? 2 : 0) | (IsKeyDown(VK_MENU) ? 4 : 0);
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
    ReleaseModalHold();
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
    // Shown without an owner of its own, a modal form belongs to the window it was opened from, as
    // the system's dialogs do: it stays in front of it, and that window is active again after it.
    HWND previousActive = GetActiveWindow();
    HWND designedOwner = GetWindow(m_window, GW_OWNER);
    const bool borrowOwner = previousActive && previousActive != m_window && IsWindowVisible(previousActive) &&
                             Form::FromHandle(previousActive) && designedOwner == qsGetThunderMainHandle();
    if (borrowOwner) SetWindowLongPtrW(m_window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previousActive));
    m_modalDisabled = DisableOtherWindows(m_window);

    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    if (HWND first = GetNextDlgTabItem(m_window, nullptr, FALSE)) SetFocus(first);

    // The program's waits are served here too: a change while a dialog is open is seen at once.
    MSG message{};
    while (IsVisible()) {
        if (!NextMessage(message)) {
            // The program is ending: leave the quit request for the loops further out.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ProcessMessage(message);
    }

    if (IsVisible()) Hide();
    ReleaseModalHold();
    if (borrowOwner && m_window) SetWindowLongPtrW(m_window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(designedOwner));
}

void Form::ReleaseModalHold() noexcept
{
    // The others are enabled before this form goes, so that the system can activate one of them.
    for (HWND window : m_modalDisabled) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    m_modalDisabled.clear();
}

void Form::Unload()
{
    if (!m_window) return;
    if (Form_QueryUnload(UnloadMode::Code)) return;
    ReleaseModalHold();
    DestroyWindow(m_window);
}

Form* Form::FromHandle(HWND window) noexcept
{
    if (!window) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return static_cast<Form*>(GetPropW(window, kFormProperty));
}

void Form::ProcessMessage(MSG& message)
{
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    Form* form = FromHandle(root);

    if (form && form->m_keyPreview && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)) {
        const int keyCode = static_cast<int>(message.wParam);
        RunGuarded([&] { form->Form_KeyDown(keyCode, CurrentShiftState()); });
        // The handler may have closed the form; the key then has nowhere left to go.
        if (!IsWindow(message.hwnd)) return;
        form = FromHandle(root);
    }
    if (form && form->m_dialogKeys && PressFocusedButton(root, message)) return;
    if (form && form->m_dialogKeys && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Form::CreateFormWindow(const WindowSpec& design)
{
    RegisterFormClass(design.className, &Form::WindowProc);
    m_clientWidthTwips = design.clientWidthTwips;
    m_clientHeightTwips = design.clientHeightTwips;
    m_keyPreview = design.keyPreview;
    m_dialogKeys = design.dialogKeys;

    // A form given no owner belongs to the program's hidden window, which keeps it off the taskbar.
    HWND owner = design.owner ? design.owner : qsGetThunderMainHandle();
    HWND window = CreateWindowExW(design.exStyle, design.className, design.caption.c_str(), design.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 0, 0, owner, design.menu, GetModuleHandleW(nullptr), this);
    if (!window) {
        if (design.menu) DestroyMenu(design.menu);
        ThrowLastError("Creating a window");
    }
    m_dpi = WindowDpi(window);
    m_font = CreateFormFont(m_dpi);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    ResizeToClient(nullptr);
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
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    m_controls.push_back({control, rect});
    return control;
}

void Form::ResizeToClient(const RECT* suggested)
{
    if (m_clientWidthTwips <= 0 || m_clientHeightTwips <= 0) return;
    RECT bounds{0, 0, TwipsToPixels(m_clientWidthTwips, m_dpi), TwipsToPixels(m_clientHeightTwips, m_dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    AdjustWindowRectForDpi(bounds, style, exStyle, GetMenu(m_window) != nullptr, m_dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int x = 0;
    int y = 0;
    if (suggested) {
        x = suggested->left;
        y = suggested->top;
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(m_window, nullptr, x, y, bounds.right - bounds.left, bounds.bottom - bounds.top, flags);
}

void Form::ApplyDpi(UINT dpi, const RECT* suggested)
{
    m_dpi = dpi;
    m_font = CreateFormFont(dpi);
    SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    for (const PlacedControl& placed : m_controls) {
        const RECT pixels = ToPixels(placed.rect);
        SetWindowPos(placed.window, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                     pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(placed.window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
    }
    ResizeToClient(suggested);
    OnDpiChanged();
    InvalidateRect(m_window, nullptr, TRUE);
}

void Form::RequestClose(UnloadMode mode)
{
    if (Form_QueryUnload(mode)) return;
    ReleaseModalHold();
    DestroyWindow(m_window);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_window, &paint);
        if (dc) {
            // EndPaint must run even when the painting fails.
            struct PaintEnd {
                HWND window;
                PAINTSTRUCT* paint;
                ~PaintEnd() { EndPaint(window, paint); }
            } end{m_window, &paint};
            Form_Paint(dc);
        }
        return 0;
    }
    case WM_CLOSE:
        RequestClose(UnloadMode::ControlMenu);
        return 0;
    case WM_QUERYENDSESSION:
        // A form that refuses to close also refuses to let the session end under it.
        return Form_QueryUnload(UnloadMode::WindowsSession) ? FALSE : TRUE;
    case DM_GETDEFID:
        if (m_defaultButton) return MAKELRESULT(m_defaultButton, DC_HASDEFID);
        break;
    case WM_ACTIVATE:
        // Give the focus back to the control that had it, as dialogs do.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus)) m_lastFocus = focus;
        } else if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_window, m_lastFocus)) {
            SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        Form_Unload();
        break;
    default:
        break;
    }
    return OnMessage(message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->m_window = window;
        SetPropW(window, kFormProperty, form);
    }
    Form* form = static_cast<Form*>(GetPropW(window, kFormProperty));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        RemovePropW(window, kFormProperty);
        form->m_window = nullptr;
        form->m_controls.clear();
        form->m_lastFocus = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    LRESULT result = 0;
    if (!RunGuarded([&] { result = form->HandleMessage(message, wParam, lParam); }))
        return DefWindowProcW(window, message, wParam, lParam);
    return result;
}

int RunMessageLoop()
{
    MSG message{};
    while (NextMessage(message)) Form::ProcessMessage(message);
    return static_cast<int>(message.wParam);
}

} // namespace jitswap
