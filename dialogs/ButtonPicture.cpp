#include "dialogs/ButtonPicture.h"

#include "support/text/NumberText.h"
#include "support/win32/Win32Error.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace jitswap {
namespace {

constexpr std::uint32_t kTransparent = 0x00FF00FF;  // magenta as a 32-bit BGRX pixel

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgrx;  // top-down rows
};

Pixels ReadPixels(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) ThrowLastError("Reading a button picture");
    Pixels pixels;
    pixels.width = info.bmWidth;
    pixels.height = std::abs(info.bmHeight);
    pixels.bgrx.resize(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height));

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = pixels.width;
    format.bmiHeader.biHeight = -pixels.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const UniqueWindowDC screen = WindowDC(nullptr);
    const int rows = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgrx.data(),
                               &format, DIB_RGB_COLORS);
    if (rows != pixels.height) ThrowLastError("Reading a button picture");
    return pixels;
}

// The pictures are drawn for 100%, 125%, 150% and 200%. A display scale gets the largest of them,
// enlarged by a whole factor, that does not outgrow it: at 175% the 150% one, at 300% the 150%
// one doubled. A drawn picture is preferred to an enlarged one of the same size.
struct PictureScale {
    int percent = 100;
    int factor = 1;
};

PictureScale PictureScaleFor(UINT dpi)
{
    const int scale = MulDiv(static_cast<int>(dpi), 100, 96);
    PictureScale best;
    for (int factor = 1; factor <= std::max(1, scale / 100); ++factor) {
        for (int percent : {100, 125, 150, 200}) {
            if (percent * factor <= scale && percent * factor > best.percent * best.factor) best = {percent, factor};
        }
    }
    return best;
}

// An icon whose mask holds the magenta pixels, so that the system draws the picture transparently in
// both the normal and the disabled style. Each source pixel becomes a scale x scale square.
UniqueIcon MaskedIcon(const Pixels& source, int scale)
{
    const int width = source.width * scale;
    const int height = source.height * scale;
    const int maskStride = (width + 15) / 16 * 2;  // monochrome rows are WORD-aligned
    std::vector<std::uint32_t> colour(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    std::vector<BYTE> mask(static_cast<size_t>(maskStride) * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel =
                source.bgrx[static_cast<size_t>(y / scale) * static_cast<size_t>(source.width) +
                            static_cast<size_t>(x / scale)] &
                0x00FFFFFF;
            if (pixel == kTransparent) {
                mask[static_cast<size_t>(y) * static_cast<size_t>(maskStride) + static_cast<size_t>(x / 8)] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                colour[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = pixel;
            }
        }
    }
    // No pixel carries alpha, so the system draws through the mask.
    UniqueBitmap colourBitmap(CreateBitmap(width, height, 1, 32, colour.data()));
    UniqueBitmap maskBitmap(CreateBitmap(width, height, 1, 1, mask.data()));
    if (!colourBitmap || !maskBitmap) ThrowLastError("Preparing a button picture");
    ICONINFO parts{TRUE, 0, 0, maskBitmap.get(), colourBitmap.get()};
    UniqueIcon icon(CreateIconIndirect(&parts));
    if (!icon) ThrowLastError("Preparing a button picture");
    return icon;
}

} // namespace

void ButtonPicture::Load(const wchar_t* bitmapName, UINT dpi)
{
    const PictureScale chosen = PictureScaleFor(dpi);
    std::wstring resource = bitmapName;
    if (chosen.percent != 100) resource += L"_" + NumberText(static_cast<unsigned>(chosen.percent));
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) ThrowLastError("Loading a button picture");
    const Pixels pixels = ReadPixels(bitmap.get());
    m_icon = MaskedIcon(pixels, chosen.factor);
    m_size = SIZE{pixels.width * chosen.factor, pixels.height * chosen.factor};
    // The pressed shift and the focus inset: a whole number of pixels near the display scale.
    m_scale = std::max(1, chosen.percent * chosen.factor / 100);
    m_name = bitmapName;
}

void ButtonPicture::Reload(UINT dpi)
{
    if (m_name.empty()) return;
    const std::wstring name = m_name;
    Load(name.c_str(), dpi);
}

void ButtonPicture::Draw(const DRAWITEMSTRUCT& item) const
{
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT face = item.rcItem;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));

    if (m_icon) {
        const int shift = pressed ? m_scale : 0;
        const int x = (item.rcItem.left + item.rcItem.right - m_size.cx) / 2 + shift;
        const int y = (item.rcItem.top + item.rcItem.bottom - m_size.cy) / 2 + shift;
        DrawStateW(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(m_icon.get()), 0, x, y, m_size.cx, m_size.cy,
                   DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
    }

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = face;
        InflateRect(&focus, -m_scale, -m_scale);
        DrawFocusRect(item.hDC, &focus);
    }
}

} // namespace jitswap
