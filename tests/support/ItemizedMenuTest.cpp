// Menu item arrays on a real system menu: hidden items are out of the popup and come back in place.

#include "support/shell/MenuItemArray.h"
#include "support/win32/Failure.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace jitswap;
using jitswap::test::MenuCaptions;

namespace {

class ItemizedMenuTest : public ::testing::Test {
protected:
    ~ItemizedMenuTest() override { DestroyMenu(m_popup); }
    HMENU m_popup = CreatePopupMenu();
    ItemizedMenu m_menu{m_popup};
    MenuItemArray m_list{m_menu, 1000};
    MenuItemArray m_tail{m_menu, 1100};
};

} // namespace

TEST_F(ItemizedMenuTest, NewElementsGoAfterTheirArraysLowerIndices)
{
    m_list.Load(0, L"Edit");
    m_list.Load(1, L"-");
    m_list.Load(9, L"Unknown");
    m_tail.Load(0, L"-");
    m_tail.Load(1, L"Exit");
    m_list.Load(10, L"A");
    m_list.Load(11, L"B");
    EXPECT_EQ(MenuCaptions(m_popup), (std::vector<std::wstring>{L"Edit", L"-", L"Unknown", L"A", L"B", L"-", L"Exit"}));
    EXPECT_EQ(m_list.IndexOf(1011), 11);
    EXPECT_EQ(m_list.IndexOf(1100), std::nullopt);
}

TEST_F(ItemizedMenuTest, HiddenItemsLeaveThePopupAndReturnInPlaceWithTheirMarks)
{
    m_list.Load(0, L"Edit");
    m_list.Load(9, L"Unknown");
    m_list.Load(10, L"A");
    // The radio bullet is put on the system menu directly, by position.
    CheckMenuRadioItem(m_popup, 1, 2, 1, MF_BYPOSITION);
    m_list.SetVisible(9, false);
    EXPECT_EQ(MenuCaptions(m_popup), (std::vector<std::wstring>{L"Edit", L"A"}));
    // An element loaded while its neighbour is hidden still goes after it.
    m_list.Load(11, L"B");
    m_list.SetVisible(9, true);
    EXPECT_EQ(MenuCaptions(m_popup), (std::vector<std::wstring>{L"Edit", L"Unknown", L"A", L"B"}));
    EXPECT_TRUE(m_list.IsChecked(9));
    EXPECT_TRUE(GetMenuState(m_popup, 1, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(ItemizedMenuTest, RemovingAnAbsentElementFailsQuietly)
{
    m_list.Load(0, L"Edit");
    EXPECT_FALSE(m_list.Unload(10));
    EXPECT_TRUE(m_list.Unload(0));
    EXPECT_EQ(GetMenuItemCount(m_popup), 0);
    EXPECT_THROW(m_list.SetChecked(0, true), Failure);
}

TEST_F(ItemizedMenuTest, TheRadioMarkIsOnOneElementWhetherShownOrHidden)
{
    m_list.Load(9, L"Unknown");
    for (int index = 10; index < 13; ++index) m_list.Load(index, L"Entry");
    const auto marked = [&] {
        std::vector<int> found;
        for (int index = 9; index < 13; ++index) {
            MENUITEMINFOW info{sizeof info};
            info.fMask = MIIM_FTYPE | MIIM_STATE;
            const bool shown = GetMenuItemInfoW(m_popup, m_list.Id(index), FALSE, &info);
            if (shown && (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED)) found.push_back(index);
        }
        return found;
    };

    m_list.SetRadioMark(9, 12, 9);
    EXPECT_EQ(marked(), std::vector<int>{9});
    // Moved while the element that had it is hidden: it comes back without it.
    m_list.SetVisible(9, false);
    m_list.SetRadioMark(9, 12, 11);
    EXPECT_EQ(marked(), std::vector<int>{11});
    m_list.SetVisible(9, true);
    EXPECT_EQ(marked(), std::vector<int>{11});
    // Onto a hidden element: shown again, it carries the only bullet; a missing element is passed over.
    m_list.SetVisible(9, false);
    m_list.SetRadioMark(9, 14, 9);
    m_list.SetVisible(9, true);
    EXPECT_EQ(marked(), std::vector<int>{9});
}
