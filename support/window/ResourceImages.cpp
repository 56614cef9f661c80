#include "support/window/ResourceImages.h"

#include "support/win32/SkipOnFailure.h"
#include "support/win32/Win32Error.h"
#include "support/window/CommonControls.h"
#include "support/window/Dpi.h"

namespace jitswap {
namespace {

// Whether the icon group holds an image drawn at exactly this size. The group's directory: three
// WORDs (the count last), then 14 bytes per image, its width first (0 for 256).
bool HasImageOfSize(HINSTANCE instance, const wchar_t* iconGroup, int size)
{
    HRSRC resource = FindResourceW(instance, iconGroup, RT_GROUP_ICON);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* directory = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!directory) return false;
    const DWORD length = SizeofResource(instance, resource);
    constexpr DWORD kHeader = 6;
    constexpr DWORD kEntry = 14;
    if (length < kHeader) return false;
    const DWORD count = directory[4] | (directory[5] << 8);
    for (DWORD i = 0; i < count && kHeader + (i + 1) * kEntry <= length; ++i) {
        const BYTE width = directory[kHeader + i * kEntry];
        if ((width == 0 ? 256 : width) == size) return true;
    }
    return false;
}

} // namespace

UniqueIcon LoadResIcon(const wchar_t* iconGroup, int size)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    // A size drawn in the group is loaded as drawn. Any other one LoadIconWithScaleDown draws from
    // the next larger image, which looks better than the system's stretching of a smaller one; it
    // exists only in version 6 of the common controls, which are loaded for it then (at display
    // scales such as 175%), and only then. Icons at such sizes are never shared: the system's cache
    // would hand back the first size asked for.
    if (!HasImageOfSize(instance, iconGroup, size)) {
        using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
        SkipOnFailure([&] {
            const auto scaleDown = CommonControlsFunction<LoadIconWithScaleDownFn>("LoadIconWithScaleDown");
            if (scaleDown && FAILED(scaleDown(instance, iconGroup, size, size, &icon))) icon = nullptr;
        });
    }
    if (!icon) icon = static_cast<HICON>(LoadImageW(instance, iconGroup, IMAGE_ICON, size, size, 0));
    if (!icon) ThrowLastError("Loading the program's icon");
    return UniqueIcon(icon);
}

UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi)
{
    return LoadResIcon(iconGroup, SystemMetricForDpi(SM_CXSMICON, dpi));
}

} // namespace jitswap
