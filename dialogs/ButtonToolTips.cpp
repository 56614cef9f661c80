#include "dialogs/ButtonToolTips.h"

#include "support/win32/Win32Error.h"
#include "support/window/CommonControls.h"

#include <commctrl.h>


namespace jitswap {

HWND CreateToolTips(HWND owner)
{
    // The first window of the program that needs the common controls: they are loaded here.
    InitCommonControlClasses(ICC_BAR_CLASSES);
    HWND toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (!toolTips) ThrowLastError("Creating the tooltips");
    return toolTips;
}

void AddToolTip(HWND toolTips, HWND control, const wchar_t* text)
{
    TTTOOLINFOW tool{};
    // The size every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    if (!SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        throw Failure("Adding a tooltip failed");
}

} // namespace jitswap
