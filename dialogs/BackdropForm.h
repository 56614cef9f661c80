#pragma once
// The catalogue dialogs' look: the desktop's own wallpaper as background, aligned with the screen
// as on the desktop itself (or the desktop's colour where it has no wallpaper), and over it a
// solid band in the button-face colour, shpBack, on which the small controls stand.

#include "support/form/Form.h"

#include <windows.h>

namespace jitswap {

class BackdropForm : public Form {
protected:
    // `shpBack` in twips of the client area; it may reach beyond it.
    explicit BackdropForm(const TwipsRect& shpBack) noexcept : m_shpBack(shpBack) {}

    // Paints the desktop wherever the band does not cover it, then the band: each pixel once, so
    // a repaint does not flicker.
    void Form_Paint(HDC dc) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Both dialogs open centred and without a window icon.
    void CenterWithoutIcon();

private:
    TwipsRect m_shpBack;
};

} // namespace jitswap
