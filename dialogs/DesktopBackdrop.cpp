#include "dialogs/DesktopBackdrop.h"

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

void PaintDesktopWithBand(HDC dc, const RECT& band)
{
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

} // namespace jitswap
