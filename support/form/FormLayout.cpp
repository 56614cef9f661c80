#include "support/form/FormLayout.h"

namespace jitswap {

void FormLayout::Attach(HWND window, int clientWidthTwips, int clientHeightTwips)
{
    m_window = window;
    m_clientWidthTwips = clientWidthTwips;
    m_clientHeightTwips = clientHeightTwips;
    m_dpi = WindowDpi(window);
    m_font = CreateFormFont(m_dpi);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    ResizeToClient(nullptr);
}

void FormLayout::Place(HWND control, const TwipsRect& rect)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    m_controls.push_back({control, rect});
}

void FormLayout::Detach() noexcept
{
    m_window = nullptr;
    m_controls.clear();
}

void FormLayout::ResizeToClient(const RECT* suggested)
{
    if (m_clientWidthTwips <= 0 || m_clientHeightTwips <= 0) return;
    RECT bounds{0, 0, TwipsToPixels(m_clientWidthTwips, m_dpi), TwipsToPixels(m_clientHeightTwips, m_dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    AdjustWindowRectForDpi(bounds, style, exStyle, GetMenu(m_window) != nullptr, m_dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int x = 0;
    int y = 0;
    if (suggested) {
        x = suggested->left;
        y = suggested->top;
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(m_window, nullptr, x, y, bounds.right - bounds.left, bounds.bottom - bounds.top, flags);
}

void FormLayout::ApplyDpi(UINT dpi, const RECT* suggested)
{
    // The old font stays alive until no window holds it any more: a control resized, or painted,
    // while it still holds a deleted font would draw with the system font or not at all.
    UniqueFont font = CreateFormFont(dpi);
    m_dpi = dpi;
    SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    for (const PlacedControl& placed : m_controls) {
        SendMessageW(placed.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        const RECT pixels = ToPixels(placed.rect);
        SetWindowPos(placed.window, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                     pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_font = std::move(font);
    ResizeToClient(suggested);
}

} // namespace jitswap
