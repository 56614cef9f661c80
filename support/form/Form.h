#pragma once
// A top-level window of the program with its child controls. Control positions are given in twips
// and follow the window's DPI (FormLayout); every message handler runs behind the run-time error
// barrier; with key preview on, the form sees each key press before the control that has the focus
// (FormKeys.cpp). Shown modally, it holds the program's other windows (ModalHold) and runs a loop of
// its own (MessageLoop).

#include "support/form/FocusMemory.h"
#include "support/form/FormLayout.h"
#include "support/form/ModalHold.h"
#include "support/window/Dpi.h"
#include "support/window/WindowClass.h"

#include <windows.h>

#include <string>

namespace jitswap {

// Why a form is asked to close.
enum class UnloadMode {
    ControlMenu = 0,  // close box, Close in the system menu, Alt+F4, Esc with no cancel button
    Code = 1,         // the program's own request (Form::Unload)
    WindowsSession = 2,
    TaskManager = 3,
};

// The modifier keys as key handlers receive them, one bit each.
enum ShiftState : int { kShiftNone = 0, kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// The modifier keys held now.
int CurrentShiftState();

class Form : public WindowOwner {
public:
    virtual ~Form();

    HWND Handle() const noexcept { return m_window; }
    bool IsLoaded() const noexcept { return m_window != nullptr; }
    bool IsVisible() const noexcept;

    void Show();
    void Hide();
    // Shows the form over every other window of the program and returns when it is hidden or gone.
    void ShowModal();
    // Destroys the window at the program's own request, unless Form_QueryUnload refuses.
    void Unload();
    // Brings a shown form to the front, as when the user clicks it.
    void Activate();

    // The form that owns a window of this thread, or nullptr.
    static Form* FromHandle(HWND window) noexcept;

    // One message of a message loop: key preview, dialog keys (Tab, Enter, Esc), then dispatch.
    static void ProcessMessage(MSG& message);

protected:
    Form() = default;

    struct WindowSpec {
        const wchar_t* className = L"JitswapForm";
        std::wstring caption;
        // A fixed dialog border without minimise and maximise boxes unless a form asks otherwise.
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        int clientWidthTwips = 0;
        int clientHeightTwips = 0;
        HWND owner = nullptr;  // none: the program's hidden window
        HMENU menu = nullptr;  // the window takes ownership
        bool keyPreview = true;
        bool dialogKeys = true;  // Tab moves the focus, Enter presses IDOK, Esc presses IDCANCEL
    };

    // Creates the window hidden, sized for its client area at its DPI.
    void CreateFormWindow(const WindowSpec& design);

    // Creates a child control in the form's font at a position in twips.
    HWND AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, const TwipsRect& rect,
                    int id, DWORD exStyle = 0);

    UINT Dpi() const noexcept { return m_layout.Dpi(); }
    RECT ToPixels(const TwipsRect& rect) const { return m_layout.ToPixels(rect); }

    // The button Enter presses when no other button has the focus (0 for none).
    void SetDefaultButton(int id) noexcept { m_defaultButton = id; }

    // ---- Events ------------------------------------------------------------------------------
    // A key pressed anywhere in the form, before the focused control sees it (key preview).
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    // The client area needs painting; the form paints what lies under its controls.
    virtual void Form_Paint(HDC /*dc*/) {}
    // Return true to refuse the close. At the session's end the form is asked as well, and a
    // refusal keeps only the window: the session ends all the same.
    virtual bool Form_QueryUnload(UnloadMode /*mode*/) { return false; }
    // The window is being destroyed.
    virtual void Form_Unload() {}
    // WM_COMMAND from a control or menu item.
    virtual void OnCommand(int /*id*/, int /*notification*/, HWND /*control*/) {}
    // The window moved to a monitor of another DPI; controls and font are laid out already.
    virtual void OnDpiChanged() {}
    // Every other message; the default is the system's handling.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) final;
    void WindowCreated(HWND window) noexcept final;
    void WindowDestroyed() noexcept final;
    LRESULT OnPaint();
    void RequestClose(UnloadMode mode);

    HWND m_window = nullptr;
    bool m_keyPreview = true;
    bool m_dialogKeys = true;
    int m_defaultButton = 0;
    FormLayout m_layout;
    FocusMemory m_focus;
    ModalHold m_modalHold;
};

// Closes the window at the program's own request: a form unloads (its Form_QueryUnload may
// refuse), any other window is destroyed.
void qsUnloadForm(HWND window);

} // namespace jitswap
