#pragma once
// The background of the catalogue dialogs: the desktop's own wallpaper, aligned with the screen as
// on the desktop itself (or the desktop's colour where it has no wallpaper), and over it a solid
// band in the button-face colour on which the small controls stand.

#include <windows.h>

namespace jitswap {

// Paints the desktop into `dc` wherever `band` does not cover it, then fills `band` (client
// coordinates of the window the DC belongs to). Each pixel is painted once, so a repaint does not flicker.
void PaintDesktopWithBand(HDC dc, const RECT& band);

} // namespace jitswap
