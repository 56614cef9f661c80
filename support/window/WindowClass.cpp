#include "support/window/WindowClass.h"

#include "support/win32/Win32Error.h"
#include "support/window/RunTimeError.h"

namespace jitswap {
namespace {

constexpr wchar_t kOwnerProperty[] = L"Jitswap.Owner";

} // namespace

void RegisterWindowClass(const wchar_t* className, WNDPROC procedure, const WindowClassLook& look)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (GetClassInfoExW(instance, className, &windowClass)) return;

    windowClass = WNDCLASSEXW{sizeof windowClass};
    windowClass.style = look.style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = look.cursor;
    windowClass.hbrBackground = look.background;
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass)) ThrowLastError("Registering a window class");
}

WindowOwner* WindowOwner::Of(HWND window) noexcept
{
    if (!window) return nullptr;
    // Another process's window may carry a property of the same name.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return static_cast<WindowOwner*>(GetPropW(window, kOwnerProperty));
}

LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<WindowOwner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetPropW(window, kOwnerProperty, owner);
        owner->WindowCreated(window);
    }
    WindowOwner* owner = static_cast<WindowOwner*>(GetPropW(window, kOwnerProperty));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        RemovePropW(window, kOwnerProperty);
        owner->WindowDestroyed();
        return DefWindowProcW(window, message, wParam, lParam);
    }

    LRESULT result = 0;
    if (!RunGuarded([&] { result = owner->HandleMessage(window, message, wParam, lParam); }))
        return DefWindowProcW(window, message, wParam, lParam);
    return result;
}

} // namespace jitswap
