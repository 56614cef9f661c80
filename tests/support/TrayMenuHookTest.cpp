// The tray menu opens once per user action, after its owner has had the chance to rebuild it.

#include "support/shell/TrayMenuHook.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

constexpr UINT kCallback = WM_APP + 1;

class TrayMenuHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TrayMenuHookTestOwner";
        RegisterClassW(&windowClass);
        HMENU bar = CreateMenu();
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"Item");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"Context");
        m_owner = CreateWindowW(L"TrayMenuHookTestOwner", L"Owner", WS_POPUP, 0, 0, 0, 0, nullptr, bar,
                                GetModuleHandleW(nullptr), nullptr);
        m_hook.Attach(m_owner, m_icon, 0);
        m_hook.BeforePopupMenu = [this](HMENU popupMenu) {
            ++m_popups;
            m_lastPopup = popupMenu;
            jitswap::test::CloseNextMenu(m_whileOpen);
        };
    }
    void TearDown() override { DestroyWindow(m_owner); }

    void Act(UINT event) { SendMessageW(m_icon.Handle(), kCallback, MAKEWPARAM(100, 100), MAKELPARAM(event, TrayIcon::kIconId)); }

    TrayIcon m_icon;
    TrayMenuHook m_hook;
    HWND m_owner = nullptr;
    int m_popups = 0;
    HMENU m_lastPopup = nullptr;
    std::function<void()> m_whileOpen;
};

} // namespace

TEST_F(TrayMenuHookTest, EachActionOpensTheOwnersMenuOnce)
{
    Act(WM_CONTEXTMENU);
    EXPECT_EQ(m_popups, 1);
    EXPECT_EQ(m_lastPopup, GetSubMenu(GetMenu(m_owner), 0));
    Act(NIN_SELECT);
    EXPECT_EQ(m_popups, 2);
}

TEST_F(TrayMenuHookTest, ActionsWhileTheMenuIsOpenOpenNoSecondOne)
{
    m_whileOpen = [this] {
        Act(WM_CONTEXTMENU);
        Act(NIN_SELECT);
        Act(NIN_KEYSELECT);
    };
    Act(WM_CONTEXTMENU);
    EXPECT_EQ(m_popups, 1);
}
