#include "support/Dpi.h"
#include "support/Support.h"
#include "support/SystemLibrary.h"

#include <commctrl.h>

namespace jitswap {

void qsSetWindowResIconAll(HWND window, const wchar_t* iconGroup)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const UINT dpi = WindowDpi(window);
    // Shared icons: the system keeps them, so no window leaks one. The group has an image drawn for
    // each size from 100% to 200%, so these are never scaled.
    const auto load = [&](int widthMetric, int heightMetric) {
        auto icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, SystemMetricForDpi(widthMetric, dpi),
                                                  SystemMetricForDpi(heightMetric, dpi), LR_SHARED));
        if (!icon) ThrowLastError("Loading the program's icon");
        return icon;
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int width = SystemMetricForDpi(SM_CXSMICON, dpi);
    const int height = SystemMetricForDpi(SM_CYSMICON, dpi);
    HICON icon = nullptr;
    // At a size the group has no image for (175%), LoadIconWithScaleDown shrinks a larger image
    // where LoadImage might blow up a smaller one. It exists only in version 6 of the common
    // controls, which the manifest asks for.
    using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    auto scaleDown = LoadedFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    if (!scaleDown || FAILED(scaleDown(instance, iconGroup, width, height, &icon))) {
        icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, width, height, 0));
    }
    if (!icon) ThrowLastError("Loading the tray icon");
    return UniqueIcon(icon);
}

} // namespace jitswap
