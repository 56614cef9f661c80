#pragma once
// A form's layout in twips: the window sized for its client area and its controls placed at the
// window's DPI, all in the program's font, and laid out again when the DPI changes.

#include "support/win32/UniqueHandle.h"
#include "support/window/Dpi.h"

#include <windows.h>

#include <vector>

namespace jitswap {

class FormLayout {
public:
    // Takes the window's DPI, gives it the font of that DPI and sizes it for its client area
    // (a size of 0 leaves the window as created).
    void Attach(HWND window, int clientWidthTwips, int clientHeightTwips);
    // Gives a new control the font and remembers where it stands, for the next DPI change.
    void Place(HWND control, const TwipsRect& rect);
    // Lays the window and its controls out again at `dpi`; `suggested` is the system's new window
    // rectangle, if it gave one.
    void ApplyDpi(UINT dpi, const RECT* suggested);
    // The window is gone, and its controls with it.
    void Detach() noexcept;

    UINT Dpi() const noexcept { return m_dpi; }
    RECT ToPixels(const TwipsRect& rect) const { return TwipsToPixels(rect, m_dpi); }

private:
    struct PlacedControl {
        HWND window;
        TwipsRect rect;
    };

    void ResizeToClient(const RECT* suggested);

    HWND m_window = nullptr;
    UINT m_dpi = 96;
    int m_clientWidthTwips = 0;
    int m_clientHeightTwips = 0;
    UniqueFont m_font;
    std::vector<PlacedControl> m_controls;
};

} // namespace jitswap
