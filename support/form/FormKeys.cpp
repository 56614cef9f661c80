// The keys a form sees before its controls do (key preview), and the dialog keys: Tab moves the
// focus, Enter presses a button, Esc presses the cancel button.
#include "support/form/Form.h"

#include "support/window/RunTimeError.h"

namespace jitswap {
namespace {

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
    return (IsKeyDown(VK_SHIFT) ? kShiftKey : kShiftNone) | (IsKeyDown(VK_CONTROL) ? kCtrlKey : kShiftNone) |
           (IsKeyDown(VK_MENU) ? kAltKey : kShiftNone);
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

} // namespace jitswap
