#include "dialogs/BackdropForm.h"

#include "support/window/CenterForm.h"

namespace jitswap {
namespace {

bool HasWallpaper()
{
    wchar_t path[MAX_PATH] = {};
    // A path too long for the buffer still means there is a wallpaper.
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return true;
    return path[0] != L'\0';
}

} // namespace

void BackdropForm::Form_Paint(HDC dc)
{
    const RECT band = ToPixels(m_shpBack);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, band.left, band.top, band.right, band.bottom);
    if (HasWallpaper()) {
        // Its result says nothing the user could act on.
        PaintDesktop(dc);
    } else {
        // Without a wallpaper the desktop shows its colour, which is painted directly: PaintDesktop
        // would paint the same, except where the platform fills other programs' windows with white
        // instead (Wine).
        RECT area{};
        GetClipBox(dc, &area);
        FillRect(dc, &area, GetSysColorBrush(COLOR_DESKTOP));
    }
    RestoreDC(dc, saved);
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
}

void BackdropForm::CenterWithoutIcon()
{
    qsCenterFormEx(Handle());
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, 0);
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, 0);
}

LRESULT BackdropForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        // Form_Paint covers every pixel; erasing first would only make the band flicker.
        return 1;
    case WM_PRINTCLIENT:
        // Themed controls ask for what lies under them.
        Form_Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOVE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The wallpaper is aligned with the screen, so a moved dialog shows another part of it.
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

} // namespace jitswap
