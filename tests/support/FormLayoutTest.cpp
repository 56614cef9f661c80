// A form laid out again for another DPI: its controls never hold a font that is already freed.

#include "support/form/Form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

using namespace jitswap;

namespace {

bool HoldsLiveFont(HWND control)
{
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    return GetObjectType(font) == OBJ_FONT;
}

// Counts the moves and resizes a control took while the font it held was already freed.
LRESULT CALLBACK CheckFontOnMove(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == WM_WINDOWPOSCHANGED && !HoldsLiveFont(control)) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(control, message, wParam, lParam);
}

class TwoControlForm final : public Form {
public:
    TwoControlForm()
    {
        WindowSpec design;
        design.caption = L"Проба";
        design.clientWidthTwips = 3000;
        design.clientHeightTwips = 1500;
        CreateFormWindow(design);
        controls = {AddControl(L"STATIC", L"Метка", WS_VISIBLE, {120, 120, 2000, 300}, 100),
                    AddControl(L"EDIT", L"Текст", WS_VISIBLE | WS_BORDER, {120, 600, 2000, 360}, 101)};
        for (HWND control : controls) SetWindowSubclass(control, &CheckFontOnMove, 1, reinterpret_cast<DWORD_PTR>(&movesWithFreedFont));
    }

    std::vector<HWND> controls;
    int movesWithFreedFont = 0;
};

} // namespace

TEST(FormLayout, ADpiChangeFreesTheOldFontOnlyAfterEveryControlHoldsTheNewOne)
{
    TwoControlForm form;
    const auto first = reinterpret_cast<HGDIOBJ>(SendMessageW(form.controls.front(), WM_GETFONT, 0, 0));
    RECT suggested{40, 40, 400, 300};
    for (const UINT dpi : {144u, 192u, 96u}) {
        SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (HWND control : form.controls) {
            EXPECT_TRUE(HoldsLiveFont(control)) << dpi;
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
            EXPECT_EQ(font.lfHeight, -MulDiv(9, static_cast<int>(dpi), 72)) << dpi;
        }
    }
    EXPECT_EQ(form.movesWithFreedFont, 0);
    EXPECT_EQ(GetObjectType(first), 0u) << "the first font is freed once no control holds it";
}
