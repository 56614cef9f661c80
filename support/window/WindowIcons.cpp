#include "support/window/WindowIcons.h"

#include "support/window/Dpi.h"
#include "support/window/ResourceImages.h"

namespace jitswap {

void WindowIcons::Load(HWND window, const wchar_t* iconGroup, UINT dpi)
{
    UniqueIcon bigIcon = LoadResIcon(iconGroup, SystemMetricForDpi(SM_CXICON, dpi));
    UniqueIcon smallIcon = LoadResIcon(iconGroup, SystemMetricForDpi(SM_CXSMICON, dpi));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    m_big = std::move(bigIcon);
    m_small = std::move(smallIcon);
}

} // namespace jitswap
