#include "support/window/WindowClass.h"

#include "support/win32/Win32Error.h"

namespace jitswap {

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

} // namespace jitswap
