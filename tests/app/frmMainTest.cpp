// The main window in the test's own process, with the real shell, registry and windows: its menu
// as designed, start with Windows, help, About, its keys and its end.

#include "app/AppIdentity.h"
#include "app/frmMain.h"
#include "support/process/ExecutablePath.h"
#include "support/window/Dpi.h"
#include "support/window/RunTimeError.h"
#include "tests/app/frmMainProbe.h"
#include "tests/app/JitswapProcess.h"
#include "tests/common/DialogDriver.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kCatalogueKey[] = L"Software\\Quarvel\\Jitswap\\Debuggers";
constexpr UINT kToggleAutostart = 1101;
constexpr UINT kContents = 1300;
constexpr UINT kAbout = 1302;
constexpr UINT kCheckDebugger = 1041;
constexpr int kDescriptionControl = 104;

std::optional<std::wstring> RunValue()
{
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, AppGuid, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

void SetRunValue(const std::wstring& command)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, AppGuid, REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int WindowIconWidth(HWND window, WPARAM which)
{
    return IconWidth(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)));
}

// HKEY_CURRENT_USER redirected to a scratch key in this process, so that what a test writes there
// never reaches the user's own settings, on Windows either.
class ScratchCurrentUser {
public:
    ScratchCurrentUser()
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, m_key), ERROR_SUCCESS);
    }
    ~ScratchCurrentUser()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(m_key);
        DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
    }
    ScratchCurrentUser(const ScratchCurrentUser&) = delete;
    ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

private:
    static constexpr wchar_t kScratch[] = L"Software\\Quarvel\\Jitswap Tests\\CurrentUser";
    HKEY m_key = nullptr;
};

std::vector<DWORD> ColourPixels(HICON icon, SIZE& size)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.get(), sizeof bitmap, &bitmap);
    size = {bitmap.bmWidth, bitmap.bmHeight};
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB};
    std::vector<DWORD> pixels(static_cast<std::size_t>(bitmap.bmWidth) * static_cast<std::size_t>(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, colour.get(), 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class frmMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProgramSettings();
    }
    void TearDown() override
    {
        m_window.reset();
        PumpFor(50);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, AppGuid);
    }

    frmMain& Start()
    {
        m_window = std::make_unique<frmMain>();
        m_window->Load();
        return *m_window;
    }

    HMENU Popup() const { return GetSubMenu(GetMenu(m_window->Handle()), 0); }
    void Command(UINT id) { PostMessageW(m_window->Handle(), WM_COMMAND, id, 0); }

    // Gives the hidden window the keyboard, as the tray menu leaves it after it closes.
    void Focus()
    {
        SetForegroundWindow(m_window->Handle());
        SetFocus(m_window->Handle());
        PumpFor(100);
    }

    std::unique_ptr<frmMain> m_window;
};

} // namespace

TEST_F(frmMainTest, StaysHiddenWithTheDesignedMenu)
{
    frmMain& window = Start();
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    wchar_t caption[64] = {};
    GetWindowTextW(window.Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Jitswap");

    HMENU bar = GetMenu(window.Handle());
    EXPECT_EQ(MenuCaptions(bar), std::vector<std::wstring>{L"Context"});
    EXPECT_EQ(MenuCaptions(Popup()),
              (std::vector<std::wstring>{L"Править список...", L"-", L"Неизвестный", L"-", L"Проверить отладчик...",
                                         L"-", L"Запускать с Windows", L"Сообщать о смене отладчика", L"-", L"Справка",
                                         L"Выход"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(Popup(), 9)),
              (std::vector<std::wstring>{L"&Содержание...", L"-", L"О программе..."}));
}

TEST_F(frmMainTest, StartWithWindowsMirrorsTheRegistrationAndTogglesIt)
{
    Start();
    EXPECT_FALSE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);

    Command(kToggleAutostart);
    PumpFor(50);
    EXPECT_TRUE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(RunValue(), L"\"" + ExecutablePath() + L"\"");

    Command(kToggleAutostart);
    PumpFor(50);
    EXPECT_FALSE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(RunValue(), std::nullopt);
}

TEST_F(frmMainTest, TheMarkIsReadOnceAtStart)
{
    SetRunValue(L"\"" + ExecutablePath() + L"\"");
    Start();
    EXPECT_TRUE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);
    // Changed from outside while running: shown from the next start on.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, AppGuid);
    PumpFor(50);
    EXPECT_TRUE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(frmMainTest, StartWithWindowsHeedsTaskManagersDisabledRecordAndClearsIt)
{
    constexpr wchar_t kApprovalKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
    const std::vector<BYTE> disabled{3, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 1};
    const std::vector<BYTE> enabled{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto setRecord = [&](const std::vector<BYTE>& record) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kApprovalKey, AppGuid, REG_BINARY, record.data(),
                        static_cast<DWORD>(record.size()));
    };
    const auto record = [&] {
        std::vector<BYTE> data(64);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegGetValueW(HKEY_CURRENT_USER, kApprovalKey, AppGuid, RRF_RT_REG_BINARY, nullptr, data.data(), &size))
            return std::vector<BYTE>{};
        data.resize(size);
        return data;
    };
    const auto checked = [&] { return (GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED) != 0; };

    const ScratchCurrentUser scratch;
    SetRunValue(L"\"" + ExecutablePath() + L"\"");
    setRecord(enabled);
    Start();
    EXPECT_TRUE(checked()) << "enabled in Task Manager";
    m_window.reset();

    // Disabled there, Windows will not start it: the mark says so, and checking it enables it again.
    setRecord(disabled);
    Start();
    EXPECT_FALSE(checked()) << "disabled in Task Manager";
    Command(kToggleAutostart);
    PumpFor(50);
    EXPECT_TRUE(checked());
    EXPECT_EQ(RunValue(), L"\"" + ExecutablePath() + L"\"");
    EXPECT_EQ(record(), enabled);
    m_window.reset();
}

TEST_F(frmMainTest, IconsFollowTheDpiOnEverySignalOfAChange)
{
    frmMain& window = Start();
    HWND tray = FindWindowW(L"JitswapTrayIcon", nullptr);
    const UINT systemDpi = WindowDpi(window.Handle());
    RECT suggested{0, 0, 200, 100};
    const auto dpiChanged = [&](UINT dpi) {
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };
    const struct {
        const char* signal;
        std::function<void()> send;
        UINT dpi;
    } steps[] = {
        {"WM_DPICHANGED", [&] { dpiChanged(144); }, 144},
        {"WM_DISPLAYCHANGE", [&] { SendMessageW(window.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600)); }, systemDpi},
        {"WM_DPICHANGED", [&] { dpiChanged(192); }, 192},
        {"WM_SETTINGCHANGE", [&] { SendMessageW(window.Handle(), WM_SETTINGCHANGE, 0, 0); }, systemDpi},
        {"WM_DPICHANGED", [&] { dpiChanged(120); }, 120},
        {"TaskbarCreated", [&] { SendMessageW(tray, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); }, systemDpi},
    };
    for (const auto& step : steps) {
        step.send();
        const int smallSize = SystemMetricForDpi(SM_CXSMICON, step.dpi);
        EXPECT_EQ(IconWidth(frmMainProbe::TrayIcon(window)), smallSize) << step.signal;
        EXPECT_EQ(WindowIconWidth(window.Handle(), ICON_SMALL), smallSize) << step.signal;
        EXPECT_EQ(WindowIconWidth(window.Handle(), ICON_BIG), SystemMetricForDpi(SM_CXICON, step.dpi)) << step.signal;
    }
}

TEST_F(frmMainTest, ARegistrationOfAnotherCopyIsNotThisOne)
{
    SetRunValue(L"\"C:\\Elsewhere\\jitswap.exe\"");
    Start();
    EXPECT_FALSE(GetMenuState(Popup(), kToggleAutostart, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(frmMainTest, HelpWithoutItsFileSaysSo)
{
    // The test program's folder holds no ReadMe.TXT.
    Start();
    DialogWatcher watcher(IDOK);
    Command(kContents);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
    PumpFor(100);
    const SeenDialog box = watcher.Seen().front();
    EXPECT_EQ(box.caption, L"Quarvel - Jitswap");
    EXPECT_EQ(box.texts, std::vector<std::wstring>{L"Не удаётся открыть файл ReadMe.TXT"});
    EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(IsWindow(m_window->Handle()));
}

TEST_F(frmMainTest, AboutShowsTheDescriptionAndOpensOnce)
{
    Start();
    DialogWatcher watcher(IDOK, L"JitswapForm");
    // The second request arrives while the first About is open: it must not open another.
    Command(kAbout);
    Command(kAbout);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() >= 1; }, 5000));
    PumpFor(300);
    ASSERT_EQ(watcher.Count(), 1u);
    const SeenDialog about = watcher.Seen().front();
    EXPECT_TRUE(about.caption.starts_with(L"О программе"));
    const auto contains = [&](const std::wstring& part) {
        return std::any_of(about.controlTexts.begin(), about.controlTexts.end(),
                           [&](const auto& control) { return control.second.find(part) != std::wstring::npos; });
    };
    EXPECT_TRUE(contains(L"Quarvel - Jitswap"));
    EXPECT_TRUE(contains(L"1.00.0006"));
    EXPECT_TRUE(contains(L"Тиэлла"));
    EXPECT_TRUE(contains(L"отладчик")) << "the description resource, in Russian";
}

TEST_F(frmMainTest, CheckDebuggerOpensOneCheckDialog)
{
    Start();
    DialogWatcher watcher(IDCANCEL, L"JitswapForm");
    // The second request arrives while the first dialog is open: it only comes to the front.
    Command(kCheckDebugger);
    Command(kCheckDebugger);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() >= 1; }, 5000));
    PumpFor(300);
    ASSERT_EQ(watcher.Count(), 1u);
    const SeenDialog check = watcher.Seen().front();
    EXPECT_EQ(check.caption, L"Проверка отладчика");
    for (const wchar_t* button : {L"Исправить", L"Сбой 64-битной программы", L"Сбой 32-битной программы", L"Закрыть"}) {
        EXPECT_TRUE(std::any_of(check.controlTexts.begin(), check.controlTexts.end(),
                                [&](const auto& control) { return control.second == button; }))
            << testing::PrintToString(std::wstring(button));
    }
}

TEST_F(frmMainTest, ShiftF1AloneShowsAboutWithoutDescription)
{
    Start();
    DialogWatcher watcher(IDOK, L"JitswapForm");
    Focus();
    PressKey(VK_F1, {VK_SHIFT});
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
    EXPECT_EQ(watcher.Seen().front().controlTexts.at(kDescriptionControl), L"");

    Focus();
    PressKey(VK_F1);
    PressKey(VK_F1, {VK_CONTROL, VK_SHIFT});
    PressKey(VK_F1, {VK_MENU, VK_SHIFT});
    PumpFor(500);
    EXPECT_EQ(watcher.Count(), 1u);
}

TEST_F(frmMainTest, AFailureInAHandlerIsReportedOnceAsARunTimeErrorAndEndsTheLoop)
{
    Start();
    // The store changes and the window reloads the catalogue; now the store refuses to be read.
    DialogWatcher watcher(IDOK);
    StoreCatalogueEntry(0, L"Stored meanwhile", L"x.exe", false);
    SetKeyAccess(HKEY_CURRENT_USER, kCatalogueKey, KeyAccess::None);
    std::optional<int> quit;
    ASSERT_TRUE(PumpUntil([&] { return quit.has_value(); }, 5000, &quit));
    // The user clicks on before the program has ended: the icon stays silent, no menu and no
    // second box (a menu that did open is closed again, so that the test ends either way).
    HWND tray = FindWindowW(L"JitswapTrayIcon", nullptr);
    int menusOpened = 0;
    for (int click = 0; click < 3; ++click) {
        CloseNextMenu([&] {
            if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) ++menusOpened;
        });
        SendMessageW(tray, WM_APP + 1, 0, MAKELPARAM(WM_CONTEXTMENU, 1));
        PumpFor(150);
    }
    EXPECT_EQ(menusOpened, 0);
    SetKeyAccess(HKEY_CURRENT_USER, kCatalogueKey, KeyAccess::Full);
    ForgetRunTimeError();  // this process goes on with the next test

    EXPECT_EQ(quit, 5);
    ASSERT_EQ(watcher.Count(), 1u);
    const SeenDialog box = watcher.Seen().front();
    EXPECT_EQ(box.caption, L"Quarvel - Jitswap");
    EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    ASSERT_FALSE(box.texts.empty());
    EXPECT_TRUE(box.texts.front().starts_with(L"Ошибка выполнения."));
}

TEST_F(frmMainTest, EscapeAloneEndsTheProgramAndTakesTheIcon)
{
    frmMain& window = Start();
    HWND tray = FindWindowW(L"JitswapTrayIcon", nullptr);
    ASSERT_NE(tray, nullptr);
    Focus();
    PressKey(VK_ESCAPE, {VK_CONTROL});
    PressKey(VK_ESCAPE, {VK_SHIFT});
    PumpFor(300);
    ASSERT_TRUE(IsWindow(window.Handle()));

    std::optional<int> quit;
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !window.IsLoaded(); }, 5000, &quit));
    PumpFor(100);
    EXPECT_EQ(quit, 0);
    EXPECT_FALSE(ShellHoldsIcon(tray)) << "the icon went with the window";
}

TEST_F(frmMainTest, TheSessionsEndEndsTheProgramAndTakesTheIcon)
{
    frmMain& window = Start();
    HWND tray = FindWindowW(L"JitswapTrayIcon", nullptr);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(window.Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(window.IsLoaded()) << "another program kept the session going";

    SendMessageW(window.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(window.IsLoaded());
    std::optional<int> quit;
    ASSERT_TRUE(PumpUntil([&] { return quit.has_value(); }, 5000, &quit));
    EXPECT_EQ(quit, 0);
    EXPECT_FALSE(ShellHoldsIcon(tray)) << "the icon went with the window";
}

// Run at 100% and, in a session of its own, at 150%: the tray gets the image drawn for the
// notification area's size at that scale, as it is, not another size scaled. The screenshots of
// the taskbar show both.
TEST_F(frmMainTest, DisplayScaleGetsTheTrayIconDrawnForIt)
{
    frmMain& window = Start();
    HWND tray = FindWindowW(L"JitswapTrayIcon", nullptr);
    ASSERT_NE(tray, nullptr);
    const std::wstring percent = ScalePercentOf(tray);
    const int size = MulDiv(16, static_cast<int>(WindowDpi(tray)), 96);

    HRSRC groupResource = FindResourceW(nullptr, L"A_MAIN", RT_GROUP_ICON);
    ASSERT_NE(groupResource, nullptr);
    auto* group = static_cast<BYTE*>(LockResource(LoadResource(nullptr, groupResource)));
    const int id = LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
    bool drawnAtThisSize = false;
    for (int i = 0; i < *reinterpret_cast<const WORD*>(group + 4); ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        if (*reinterpret_cast<const WORD*>(entry + 12) == id) drawnAtThisSize = entry[0] == size;
    }
    ASSERT_TRUE(drawnAtThisSize) << "the icon group has no image of " << size << " pixels";
    HRSRC imageResource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_ICON);
    ASSERT_NE(imageResource, nullptr);
    const UniqueIcon native(CreateIconFromResourceEx(
        static_cast<BYTE*>(LockResource(LoadResource(nullptr, imageResource))), SizeofResource(nullptr, imageResource),
        TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
    ASSERT_TRUE(native);

    SIZE traySize{};
    SIZE nativeSize{};
    const std::vector<DWORD> shown = ColourPixels(frmMainProbe::TrayIcon(window), traySize);
    const std::vector<DWORD> drawn = ColourPixels(native.get(), nativeSize);
    EXPECT_EQ(traySize.cx, size);
    EXPECT_EQ(traySize.cy, size);
    EXPECT_TRUE(shown == drawn) << "the tray icon is not the " << size << "-pixel image as drawn";

    // The window's own icons, each at its size for the scale.
    for (const auto& [kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        SIZE iconSize{};
        ColourPixels(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, kind, 0)), iconSize);
        EXPECT_EQ(iconSize.cx, SystemMetricForDpi(metric, WindowDpi(window.Handle()))) << "icon " << kind;
    }

    PumpFor(500);
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr);
    SaveScreenshot(taskbar, L"tray-" + percent);
}
