// What the main window shows of changes made by other programs, read back in this process: the
// tooltip, the balloon and the next popup's mark after `reg add` from outside; the balloon's click
// and the item that turns balloons off; and popups that read nothing when nothing changed.

#include "app/frmMain.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/win32/ScopeGuard.h"
#include "tests/app/ElevationStandIn.h"
#include "tests/app/frmMainProbe.h"
#include "tests/app/JitswapProcess.h"
#include "tests/app/ProgramRegistry.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr wchar_t kAeDebugPath[] = L"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr UINT kFirstDebugger = 1010;
constexpr UINT kReportChanges = 1102;
constexpr UINT kTrayCallback = WM_APP + 1;
// Generous, for a loaded machine: the registry's notice itself comes at once.
constexpr DWORD kNoticeTimeoutMs = 5000;

// Another program changes a value: Wine's own reg.exe, in a process of its own.
void RegAdd(const std::wstring& arguments)
{
    std::wstring command = L"reg.exe add \"" + std::wstring(kAeDebugPath) + L"\" " + arguments + L" /f";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(exitCode, 0u) << "reg.exe add " << std::string(arguments.begin(), arguments.end());
}

std::wstring SystemDebugger(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return L"(no key)";
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    const LSTATUS status = RegGetValueW(key, nullptr, L"Debugger", RRF_RT_REG_SZ, nullptr, data, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? data : L"(absent)";
}

class ChangeNoticeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProgramSettings();
        RegAdd(L"/v Debugger /t REG_SZ /d \"kd.exe -p %ld\" /reg:64");
        RegAdd(L"/v Auto /t REG_SZ /d 0 /reg:64");
        RegAdd(L"/v Debugger /t REG_SZ /d \"kd.exe -p %ld\" /reg:32");
        RegAdd(L"/v Auto /t REG_SZ /d 0 /reg:32");
        StoreCatalogueEntry(0, L"Kernel", L"kd.exe -p %ld", false);
        StoreCatalogueEntry(1, L"Dumper", L"dumper.exe -p %ld", true);
    }
    void TearDown() override
    {
        m_window.reset();
        PumpFor(50);
        ForgetProgramSettings();
    }

    void Start()
    {
        m_window.reset();
        PumpFor(50);
        m_window = std::make_unique<frmMain>(frmMainSources{
            [this] {
                ++m_storeOpens;
                return OpenAppSettingsStore();
            },
            [this] {
                ++m_systemReads;
                return ReadSystemDebuggerState();
            }});
        m_window->Load();
    }

    const TrayIcon& Tray() const { return frmMainProbe::Tray(*m_window); }
    std::wstring Balloon() const { return Tray().PendingBalloon() ? Tray().PendingBalloon()->text : L"(none)"; }
    HMENU Popup() const { return GetSubMenu(GetMenu(m_window->Handle()), 0); }
    bool Checked(UINT id) const { return (GetMenuState(Popup(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool WaitForTooltip(const std::wstring& text) { return PumpUntil([&] { return Tray().Text() == text; }, kNoticeTimeoutMs); }

    // The menu opens from the icon, as for the user, and closes again.
    void OpenTrayMenu()
    {
        PumpPending();
        CloseNextMenu();
        SendMessageW(Tray().Handle(), kTrayCallback, MAKEWPARAM(700, 590), MAKELPARAM(WM_CONTEXTMENU, 1));
    }

    void Click(UINT id)
    {
        PostMessageW(m_window->Handle(), WM_COMMAND, id, 0);
        PumpFor(200);
    }

    std::unique_ptr<frmMain> m_window;
    int m_storeOpens = 0;
    int m_systemReads = 0;
};

} // namespace

TEST_F(ChangeNoticeTest, AnOutsideChangeToEitherViewShowsInTheTooltipTheBalloonAndTheMark)
{
    const struct {
        const wchar_t* change;
        const wchar_t* balloon;
    } cases[] = {
        {L"/v Debugger /t REG_SZ /d \"vsjit.exe -p %ld\" /reg:64",
         L"Теперь действует Неизвестный: vsjit.exe -p %ld; для 32-битных программ: kd.exe -p %ld\n"
         L"Щёлкните здесь, чтобы вернуть «Kernel»."},
        {L"/v Debugger /t REG_SZ /d \"x32dbg.exe -a %ld\" /reg:32",
         L"Теперь действует Неизвестный: kd.exe -p %ld; для 32-битных программ: x32dbg.exe -a %ld\n"
         L"Щёлкните здесь, чтобы вернуть «Kernel»."},
        {L"/v Auto /t REG_SZ /d 1 /reg:64",
         L"Теперь действует Неизвестный: kd.exe -p %ld\nЩёлкните здесь, чтобы вернуть «Kernel»."},
    };
    for (const auto& c : cases) {
        SetUp();
        Start();
        ASSERT_EQ(Tray().Text(), L"Jitswap: Kernel");
        ASSERT_EQ(Balloon(), L"(none)");

        RegAdd(c.change);
        ASSERT_TRUE(WaitForTooltip(L"Jitswap: Неизвестный")) << Tray().Text().c_str();
        EXPECT_EQ(Tray().PendingBalloon()->title, L"Другая программа сменила отладчик");
        EXPECT_EQ(Balloon(), c.balloon);

        // The menu was brought up to date when the notice came: opening it reads nothing.
        PumpPending();
        const int opens = m_storeOpens;
        const int reads = m_systemReads;
        OpenTrayMenu();
        EXPECT_EQ(MenuCaptions(Popup())[2], L"Неизвестный");
        EXPECT_TRUE(GetMenuState(Popup(), 2, MF_BYPOSITION) & MF_CHECKED);
        EXPECT_EQ(m_storeOpens, opens);
        EXPECT_EQ(m_systemReads, reads);
        TearDown();
    }
}

TEST_F(ChangeNoticeTest, PopupsReadNothingUntilTheCatalogueOrTheSettingChanges)
{
    Start();
    PumpPending();
    const int opens = m_storeOpens;
    const int reads = m_systemReads;
    OpenTrayMenu();
    OpenTrayMenu();
    EXPECT_EQ(m_storeOpens, opens);
    EXPECT_EQ(m_systemReads, reads);

    // Another program edits the catalogue: the menu shows it, and the entry now in force, unasked.
    StoreCatalogueEntry(0, L"Kernel, renamed", L"kd.exe -p %ld", false);
    ASSERT_TRUE(WaitForTooltip(L"Jitswap: Kernel, renamed"));
    EXPECT_EQ(MenuCaptions(Popup())[2], L"Kernel, renamed");
    EXPECT_TRUE(GetMenuState(Popup(), 2, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(Balloon(), L"(none)") << "the setting did not change";
}

TEST_F(ChangeNoticeTest, JitswapsOwnSwitchRaisesNoBalloonAndTheBalloonsClickSwitchesBack)
{
    Start();
    Click(kFirstDebugger + 1);
    ASSERT_EQ(Tray().Text(), L"Jitswap: Dumper");
    PumpFor(1000);  // the registry's notice of that switch has come and gone
    EXPECT_EQ(Balloon(), L"(none)");

    RegAdd(L"/v Debugger /t REG_SZ /d \"other.exe\" /reg:64");
    ASSERT_TRUE(WaitForTooltip(L"Jitswap: Неизвестный"));
    ASSERT_NE(Balloon(), L"(none)");
    SendMessageW(Tray().Handle(), kTrayCallback, 0, MAKELPARAM(NIN_BALLOONUSERCLICK, 1));
    PumpFor(200);
    EXPECT_EQ(SystemDebugger(KEY_WOW64_64KEY), L"dumper.exe -p %ld");
    EXPECT_EQ(SystemDebugger(KEY_WOW64_32KEY), L"dumper.exe -p %ld");
    EXPECT_EQ(Tray().Text(), L"Jitswap: Dumper");
    PumpFor(1000);
    EXPECT_EQ(Balloon(), L"(none)") << "switching back is Jitswap's own change";
}

// The elevated copy writes while this program's loop serves the registry's notices, one value at a
// time: what it writes is the switch's own, and a balloon shown before the switch goes with it.
TEST_F(ChangeNoticeTest, ASwitchByTheElevatedCopyRaisesNoBalloonAndTakesDownAnEarlierOne)
{
    const auto setAccess = [](KeyAccess access) {
        for (REGSAM view : registry::kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, access, view);
    };
    const auto standIn = OnScopeExit([&] {
        ResetElevation();
        setAccess(KeyAccess::Full);
    });
    for (const bool balloonBefore : {false, true}) {
        SCOPED_TRACE(balloonBefore ? "a balloon before" : "no balloon before");
        SetUp();
        Start();
        if (balloonBefore) {
            RegAdd(L"/v Debugger /t REG_SZ /d \"other.exe\" /reg:64");
            ASSERT_TRUE(WaitForTooltip(L"Jitswap: Неизвестный"));
            ASSERT_NE(Balloon(), L"(none)");
        }
        Elevation().elevated = false;
        Elevation().grantRights = [&] { setAccess(KeyAccess::Full); };
        setAccess(KeyAccess::ReadOnly);
        Click(kFirstDebugger + 1);
        ASSERT_EQ(Elevation().starts.size(), 1u) << "the copy did the work";
        EXPECT_EQ(SystemDebugger(KEY_WOW64_32KEY), L"dumper.exe -p %ld");
        EXPECT_EQ(Tray().Text(), L"Jitswap: Dumper");
        PumpFor(1000);
        EXPECT_EQ(Balloon(), L"(none)");
        TearDown();
        ResetElevation();
    }
}

TEST_F(ChangeNoticeTest, TheCheckItemTurnsBalloonsOffAndIsRememberedAtTheNextStart)
{
    Start();
    EXPECT_TRUE(Checked(kReportChanges)) << "on by default";
    Click(kReportChanges);
    EXPECT_FALSE(Checked(kReportChanges));

    RegAdd(L"/v Debugger /t REG_SZ /d \"other.exe\" /reg:64");
    ASSERT_TRUE(WaitForTooltip(L"Jitswap: Неизвестный")) << "the tooltip still follows";
    EXPECT_EQ(Balloon(), L"(none)");

    Start();
    EXPECT_FALSE(Checked(kReportChanges));
    Click(kReportChanges);
    Start();
    EXPECT_TRUE(Checked(kReportChanges));
}
