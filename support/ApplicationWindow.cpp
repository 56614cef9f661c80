#include "support/ApplicationWindow.h"

#include "support/ApplicationInfo.h"
#include "support/UniqueHandle.h"
#include "support/Win32Error.h"

namespace jitswap {
namespace {

constexpr wchar_t kClassName[] = L"JitswapApplication";

UniqueWindow CreateApplicationWindow()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{sizeof windowClass};
    if (!GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass = WNDCLASSEXW{sizeof windowClass};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassExW(&windowClass)) ThrowLastError("Registering the application window");
    }
    UniqueWindow window(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kApplicationTitle, WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr));
    if (!window) ThrowLastError("Creating the application window");
    return window;
}

} // namespace

HWND qsGetThunderMainHandle()
{
    // One per process, like the application itself; it goes when the process ends.
    static const UniqueWindow window = CreateApplicationWindow();
    return window.get();
}

} // namespace jitswap
