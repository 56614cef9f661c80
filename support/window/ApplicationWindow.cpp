#include "support/window/ApplicationWindow.h"

#include "support/process/ApplicationInfo.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"
#include "support/window/WindowClass.h"

namespace jitswap {
namespace {

constexpr wchar_t kClassName[] = L"JitswapApplication";

UniqueWindow CreateApplicationWindow()
{
    RegisterWindowClass(kClassName, DefWindowProcW);
    UniqueWindow window(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kApplicationTitle, WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
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
