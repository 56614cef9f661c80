#include "support/window/CenterForm.h"
#include "support/win32/Win32Error.h"

#include <algorithm>

namespace jitswap {
namespace {

void CenterOnWorkArea(HWND window, const RECT& area)
{
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) ThrowLastError("Measuring a window");
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // A window larger than the work area keeps its top-left corner on it, so its caption stays reachable.
    const int x = std::max<int>(area.left, area.left + (area.right - area.left - width) / 2);
    const int y = std::max<int>(area.top, area.top + (area.bottom - area.top - height) / 2);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void qsCenterFormEx(HWND window)
{
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO monitor{sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &monitor))
        ThrowLastError("Finding the monitor");
    CenterOnWorkArea(window, monitor.rcWork);
    // Moving to a monitor of another DPI resizes the window; centre it again at its new size.
    CenterOnWorkArea(window, monitor.rcWork);
}

} // namespace jitswap
