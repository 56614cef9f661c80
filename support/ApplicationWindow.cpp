#include "support/Form.h"
#include "support/Support.h"

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

bool qsRegisterAppPath()
{
    return true;
}

bool qsIsInIDE()
{
    return false;
}

void qsUnloadForm(HWND window)
{
    if (Form* form = Form::FromHandle(window)) {
        form->Unload();
        return;
    }
    if (!DestroyWindow(window)) ThrowLastError("Closing a window");
}

void qsHighlightText(HWND edit)
{
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

} // namespace jitswap
