// The tray icon against Wine's real notification area, and against a shell that is not ready.

#include "support/shell/TrayIcon.h"
#include "support/shell/TrayMenuHook.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace jitswap;
using jitswap::test::PumpFor;
using jitswap::test::PumpUntil;

namespace {

// Asks the shell about an icon without changing it: an update of nothing succeeds only for an
// icon the shell holds.
bool ShellHoldsIcon(HWND window, UINT id = TrayIcon::kIconId)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void RemoveBehindTheProgramsBack(HWND window)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = TrayIcon::kIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
}

UniqueIcon AnyIcon()
{
    return UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
}

// A shell that refuses the first adds, as one that is still starting does; one refused add
// still reaches it, as an add that timed out does.
struct SlowShell {
    static inline int refusals = 0;
    static inline bool holds = false;
    static inline int adds = 0;
    static inline std::vector<DWORD> calls;

    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAW)
    {
        calls.push_back(message);
        switch (message) {
        case NIM_ADD:
            if (holds) return FALSE;
            if (refusals > 0) {
                // The last refusal is a time-out: the shell took the icon all the same.
                if (--refusals == 0) holds = true;
                return FALSE;
            }
            holds = true;
            ++adds;
            return TRUE;
        case NIM_MODIFY:
        case NIM_SETVERSION:
            return holds;
        case NIM_DELETE:
            holds = false;
            return TRUE;
        default:
            return FALSE;
        }
    }
};

// Records what the program tells the shell, and passes it on to the real one.
struct RecordingShell {
    static inline std::vector<NOTIFYICONDATAW> added;

    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAW data)
    {
        if (message == NIM_ADD) added.push_back(*data);
        return Shell_NotifyIconW(message, data);
    }
};

} // namespace

TEST(TrayIcon, AppearsWithItsTooltipAndLeavesWithItsObject)
{
    HWND window = nullptr;
    {
        RecordingShell::added.clear();
        TrayIcon icon(&RecordingShell::Notify);
        window = icon.Handle();
        icon.SetText(L"Jitswap");
        icon.SetIcon(AnyIcon());
        EXPECT_FALSE(ShellHoldsIcon(window)) << "nothing is shown before it is made visible";
        icon.SetVisible(true);
        EXPECT_TRUE(icon.IsInNotificationArea());
        EXPECT_TRUE(ShellHoldsIcon(window));
        ASSERT_EQ(RecordingShell::added.size(), 1u);
        EXPECT_STREQ(RecordingShell::added[0].szTip, L"Jitswap");
        // Without this flag a version-4 icon shows no tooltip at all on Windows.
        EXPECT_TRUE(RecordingShell::added[0].uFlags & NIF_SHOWTIP);
    }
    EXPECT_FALSE(ShellHoldsIcon(window));
}

TEST(TrayIcon, ComesBackWhenTheShellRestartsAndIsNeverAddedTwice)
{
    TrayIcon icon;
    icon.SetText(L"Jitswap");
    icon.SetIcon(AnyIcon());
    icon.SetVisible(true);
    ASSERT_TRUE(ShellHoldsIcon(icon.Handle()));

    // A restarted shell has lost every icon and says so to every top-level window.
    RemoveBehindTheProgramsBack(icon.Handle());
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(icon.Handle()));

    // The same announcement while the icon is still there only refreshes it.
    SendMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(icon.IsInNotificationArea());
    EXPECT_TRUE(ShellHoldsIcon(icon.Handle()));
}

TEST(TrayIcon, RetriesUntilTheShellTakesItWithoutAddingTwice)
{
    SlowShell::refusals = 2;
    SlowShell::holds = false;
    SlowShell::adds = 0;
    SlowShell::calls.clear();
    TrayIcon icon(&SlowShell::Notify);
    icon.SetIcon(AnyIcon());
    icon.SetVisible(true);
    EXPECT_FALSE(icon.IsInNotificationArea());

    ASSERT_TRUE(PumpUntil([&] { return icon.IsInNotificationArea(); }, 5000));
    // The second refusal reached the shell: the icon was then updated, not added once more.
    EXPECT_EQ(SlowShell::adds, 0);
    EXPECT_TRUE(SlowShell::holds);
    PumpFor(1500);
    const auto addsAfter = std::count(SlowShell::calls.begin(), SlowShell::calls.end(), static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(addsAfter, 2) << "no retry once the shell holds the icon";
}

TEST(TrayIcon, ReportsEachActionWithItsSignedAnchor)
{
    TrayIcon icon;
    std::vector<std::pair<TrayAction, POINT>> actions;
    icon.Activated = [&](TrayAction action, POINT anchor) { actions.emplace_back(action, anchor); };
    const UINT callback = WM_APP + 1;
    // A monitor left of and above the primary one has negative coordinates.
    const WPARAM anchor = MAKEWPARAM(static_cast<WORD>(-300), static_cast<WORD>(-20));
    SendMessageW(icon.Handle(), callback, anchor, MAKELPARAM(WM_CONTEXTMENU, TrayIcon::kIconId));
    SendMessageW(icon.Handle(), callback, anchor, MAKELPARAM(NIN_SELECT, TrayIcon::kIconId));
    SendMessageW(icon.Handle(), callback, anchor, MAKELPARAM(NIN_KEYSELECT, TrayIcon::kIconId));
    // Mouse movements and the button messages themselves are no actions.
    SendMessageW(icon.Handle(), callback, anchor, MAKELPARAM(WM_MOUSEMOVE, TrayIcon::kIconId));
    SendMessageW(icon.Handle(), callback, anchor, MAKELPARAM(WM_RBUTTONUP, TrayIcon::kIconId));

    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].first, TrayAction::ContextMenu);
    EXPECT_EQ(actions[1].first, TrayAction::Select);
    EXPECT_EQ(actions[2].first, TrayAction::KeySelect);
    EXPECT_EQ(actions[0].second.x, -300);
    EXPECT_EQ(actions[0].second.y, -20);
}

TEST(TrayIcon, ABalloonIsPendingUntilClickedOrGoneAndTextsFitTheShell)
{
    TrayIcon icon;
    int clicks = 0;
    icon.BalloonClicked = [&] { ++clicks; };
    const UINT callback = WM_APP + 1;
    const auto shell = [&](UINT event) { SendMessageW(icon.Handle(), callback, 0, MAKELPARAM(event, TrayIcon::kIconId)); };

    icon.ShowBalloon(L"title", L"text");
    EXPECT_FALSE(icon.PendingBalloon()) << "no icon in the notification area, no balloon";
    icon.SetIcon(AnyIcon());
    icon.SetVisible(true);

    // The shell keeps 127 characters of a tooltip, 63 of a balloon's title and 255 of its text.
    icon.SetText(std::wstring(200, L'т'));
    EXPECT_EQ(icon.Text(), std::wstring(126, L'т') + L"\u2026");
    icon.ShowBalloon(std::wstring(100, L'з'), std::wstring(300, L'с'));
    ASSERT_TRUE(icon.PendingBalloon());
    EXPECT_EQ(icon.PendingBalloon()->title, std::wstring(62, L'з') + L"\u2026");
    EXPECT_EQ(icon.PendingBalloon()->text, std::wstring(254, L'с') + L"\u2026");

    shell(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(icon.PendingBalloon());
    shell(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1) << "a click on a balloon already gone is not one on ours";

    for (const UINT gone : {NIN_BALLOONTIMEOUT, NIN_BALLOONHIDE}) {
        icon.ShowBalloon(L"title", L"text");
        shell(gone);
        EXPECT_FALSE(icon.PendingBalloon());
    }
    EXPECT_EQ(clicks, 1);

    // Taken down by the program: a click the shell still reports is not one on it.
    icon.ShowBalloon(L"title", L"text");
    icon.HideBalloon();
    EXPECT_FALSE(icon.PendingBalloon());
    shell(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);
}
