#include "support/window/ResourceImages.h"

#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"
#include "support/window/Dpi.h"

#include <commctrl.h>


namespace jitswap {

UniqueIcon LoadResIcon(const wchar_t* iconGroup, int size)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    // LoadIconWithScaleDown draws a size that has no image of its own from the next larger image,
    // which looks better than the system's stretching of a smaller one; it exists only in version 6
    // of the common controls, which the manifest asks for. Icons at such sizes are never shared:
    // the system's cache would hand back the first size asked for.
    using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    auto scaleDown = LoadedFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    if (!scaleDown || FAILED(scaleDown(instance, iconGroup, size, size, &icon)))
        icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, size, size, 0));
    if (!icon) ThrowLastError("Loading the program's icon");
    return UniqueIcon(icon);
}

UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi)
{
    return LoadResIcon(iconGroup, SystemMetricForDpi(SM_CXSMICON, dpi));
}

} // namespace jitswap
