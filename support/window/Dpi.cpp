#include "support/window/Dpi.h"

#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"

namespace jitswap {
namespace {

// The per-monitor functions appeared with Windows 10; earlier systems get the system-wide values.
template <class Function>
Function User32Function(const char* name)
{
    return LoadedFunction<Function>(L"user32.dll", name);
}

UINT SystemDpi()
{
    const UniqueWindowDC screen = WindowDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

} // namespace

UINT WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
        if (const UINT dpi = getDpi(window)) return dpi;
    }
    return SystemDpi();
}

RECT TwipsToPixels(const TwipsRect& rect, UINT dpi)
{
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return RECT{left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, bool hasMenu, UINT dpi)
{
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (auto adjust = User32Function<AdjustFn>("AdjustWindowRectExForDpi")) {
        if (adjust(&rect, style, hasMenu, exStyle, dpi)) return;
    }
    if (!AdjustWindowRectEx(&rect, style, hasMenu, exStyle)) ThrowLastError("Sizing a window");
}

int SystemMetricForDpi(int index, UINT dpi)
{
    using MetricFn = int(WINAPI*)(int, UINT);
    if (auto metric = User32Function<MetricFn>("GetSystemMetricsForDpi")) return metric(index, dpi);
    return GetSystemMetrics(index);
}

UniqueFont CreateFormFont(UINT dpi)
{
    UniqueFont font(CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    if (!font) ThrowLastError("Creating the window font");
    return font;
}

} // namespace jitswap
