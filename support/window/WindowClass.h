#pragma once
// The program's window classes, and the one window procedure of every window that belongs to an
// object of the program's: it hands each message to that object behind the run-time error barrier.

#include <windows.h>

namespace jitswap {

struct WindowClassLook {
    UINT style = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// Registers the program's window class under that name, unless it is registered already: each
// kind of window registers its class on first use and keeps it for the life of the process.
void RegisterWindowClass(const wchar_t* className, WNDPROC procedure, const WindowClassLook& look = {});

// An object a window belongs to. Its window is created with OwnedWindowProc as the class's
// procedure and the object as the creation parameter (CreateWindowExW's last argument).
class WindowOwner {
public:
    // The object a window of this process belongs to, or nullptr.
    static WindowOwner* Of(HWND window) noexcept;

protected:
    WindowOwner() = default;
    ~WindowOwner() = default;
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;

    // Every message from WM_NCCREATE on, but WM_NCDESTROY. An exception is reported as a run-time
    // error, and the system's default handling answers the message instead.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window exists (WM_NCCREATE) and is gone (WM_NCDESTROY).
    virtual void WindowCreated(HWND /*window*/) noexcept {}
    virtual void WindowDestroyed() noexcept {}

private:
    friend LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace jitswap
