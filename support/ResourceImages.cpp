#include "support/Dpi.h"
#include "support/Support.h"
#include "support/SystemLibrary.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <tuple>

namespace jitswap {
namespace {

// The group's image for the size. At a size the group has no image for (175%),
// LoadIconWithScaleDown shrinks a larger image where LoadImage might blow up a smaller one; it
// exists only in version 6 of the common controls, which the manifest asks for.
UniqueIcon LoadIconAtSize(const wchar_t* iconGroup, int width, int height)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    auto scaleDown = LoadedFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    if (!scaleDown || FAILED(scaleDown(instance, iconGroup, width, height, &icon))) {
        icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, width, height, 0));
    }
    if (!icon) ThrowLastError("Loading the program's icon");
    return UniqueIcon(icon);
}

// A window does not own the icons it is given, so they are kept for the life of the process, one
// per size. (Shared icons would not do: Windows finds a shared icon by its name alone and hands
// back the first size loaded, whatever size is asked for.)
HICON KeptIcon(const wchar_t* iconGroup, int width, int height)
{
    static std::map<std::tuple<std::wstring, int, int>, UniqueIcon> kept;
    UniqueIcon& icon = kept[{iconGroup, width, height}];
    if (!icon) icon = LoadIconAtSize(iconGroup, width, height);
    return icon.get();
}

} // namespace

void qsSetWindowResIconAll(HWND window, const wchar_t* iconGroup)
{
    const UINT dpi = WindowDpi(window);
    const auto icon = [&](int widthMetric, int heightMetric) {
        return reinterpret_cast<LPARAM>(
            KeptIcon(iconGroup, SystemMetricForDpi(widthMetric, dpi), SystemMetricForDpi(heightMetric, dpi)));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, icon(SM_CXICON, SM_CYICON));
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON, SM_CYSMICON));
}

UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi)
{
    return LoadIconAtSize(iconGroup, SystemMetricForDpi(SM_CXSMICON, dpi), SystemMetricForDpi(SM_CYSMICON, dpi));
}

} // namespace jitswap
