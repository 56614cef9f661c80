#include "support/ResourceImages.h"
#include "support/Win32Error.h"
#include "support/SystemLibrary.h"

#include <commctrl.h>

namespace jitswap {

void qsSetWindowResIconAll(HWND window, const wchar_t* iconGroup)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // Shared icons at the system's standard sizes: the system keeps them, so no window leaks one.
    const auto load = [&](int widthMetric, int heightMetric) {
        auto icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                  GetSystemMetrics(heightMetric), LR_SHARED));
        if (!icon) ThrowLastError("Loading the program's icon");
        return icon;
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    // LoadIconMetric picks the image drawn for the notification area's size at the current DPI;
    // it exists only in version 6 of the common controls, which the manifest asks for.
    using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    auto loadMetric = LoadedFunction<LoadIconMetricFn>(L"comctl32.dll", "LoadIconMetric");
    if (!loadMetric || FAILED(loadMetric(instance, iconGroup, LIM_SMALL, &icon))) {
        icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
    }
    if (!icon) ThrowLastError("Loading the tray icon");
    return UniqueIcon(icon);
}

} // namespace jitswap
