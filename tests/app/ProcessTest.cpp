// jitswap.exe started as the user starts it, watched from outside: one instance, a hidden window
// and a tray icon, a clean end, the run-time error that ends it, and where it looks for its files.

#include "app/AppIdentity.h"
#include "app/Command.h"
#include "support/text/ArgumentQuoting.h"
#include "support/text/TextConversion.h"
#include "tests/app/JitswapProcess.h"
#include "tests/common/ProcessOutput.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr wchar_t kCatalogueKey[] = L"Software\\Quarvel\\Jitswap\\Debuggers";
constexpr UINT kToggleAutostart = 1101;
constexpr UINT kContents = 1300;
constexpr UINT kExit = 1202;

void SetText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value)
{
    RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> ReadText(HKEY root, const wchar_t* key, const wchar_t* name)
{
    wchar_t data[2048] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(data);
}

// The message box a process shows, answered with OK once it has been read.
std::optional<SeenDialog> AnswerMessageBox(DWORD processId, DWORD timeoutMs = 10000)
{
    HWND box = WaitForWindow(processId, L"#32770", timeoutMs, true);
    if (!box) return std::nullopt;
    Sleep(200);
    SeenDialog seen = Describe(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return seen;
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProgramSettings();
    }
    void TearDown() override
    {
        ForgetProgramSettings();
    }
};

} // namespace

TEST_F(ProcessTest, ShowsOnlyItsTrayIconAndASecondStartEndsSilently)
{
    JitswapProcess first;
    ASSERT_TRUE(first.WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(first.MainWindow()));
    wchar_t caption[64] = {};
    GetWindowTextW(first.MainWindow(), caption, 64);
    EXPECT_STREQ(caption, L"Jitswap");

    JitswapProcess second;
    ASSERT_TRUE(second.WaitForExit(5000)) << "a second instance must end at once";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(WaitForWindow(second.Id(), L"JitswapMain", 0), nullptr);

    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(ShellHoldsIcon(first.TrayWindow()));
    EXPECT_EQ(WaitForWindow(first.Id(), L"JitswapForm", 0, true), nullptr) << "no visible window of its own";
}

TEST_F(ProcessTest, TheTrayCopyRunsWithoutTheCommonControls)
{
    JitswapProcess program;
    ASSERT_TRUE(program.WaitUntilRunning());
    ASSERT_TRUE(ShellHoldsIcon(program.TrayWindow()));
    const std::vector<std::wstring> modules = program.LoadedModules();
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(std::count(modules.begin(), modules.end(), L"comctl32.dll"), 0) << "loaded before any dialog needs them";
}

TEST_F(ProcessTest, ExitEndsTheProgramTakesTheIconAndWritesNothing)
{
    SetText(HKEY_CURRENT_USER, kCatalogueKey, L"Title 0", L"Dump writer");
    SetText(HKEY_CURRENT_USER, kCatalogueKey, L"Command Line 0", L"dumper.exe -p %ld");
    SetText(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Debugger", L"other.exe -p %ld");
    const auto settingsBefore = RegistrySnapshot(HKEY_CURRENT_USER, L"Software\\Quarvel");
    const auto aeDebugBefore = RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey);
    const auto runBefore = RegistrySnapshot(HKEY_CURRENT_USER, kRunKey);

    JitswapProcess program;
    ASSERT_TRUE(program.WaitUntilRunning());
    HWND tray = program.TrayWindow();
    PostMessageW(program.MainWindow(), WM_COMMAND, kExit, 0);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(ShellHoldsIcon(tray));

    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, L"Software\\Quarvel"), settingsBefore);
    EXPECT_EQ(RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey), aeDebugBefore);
    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, kRunKey), runBefore);
}

TEST_F(ProcessTest, AStoreItCannotReadAtStartIsARunTimeError)
{
    SetText(HKEY_CURRENT_USER, kCatalogueKey, L"Title 0", L"Dump writer");
    // Not even readable: the catalogue cannot be loaded.
    SetKeyAccess(HKEY_CURRENT_USER, kCatalogueKey, KeyAccess::None);

    JitswapProcess program;
    const auto box = AnswerMessageBox(program.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Quarvel - Jitswap");
    ASSERT_FALSE(box->texts.empty());
    EXPECT_TRUE(box->texts.front().starts_with(L"Ошибка выполнения.")) << box->texts.front().c_str();
    EXPECT_TRUE(box->hasIcon);  // which one is checked in process: icons do not cross processes under Wine
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 5u);

    // A command prints it instead, and ends with the same code, not with a refusal's.
    const Ran listed = Jitswap({L"/list"});
    EXPECT_EQ(listed.exitCode, 5u);
    EXPECT_TRUE(listed.output.starts_with(L"Ошибка выполнения.")) << WideToUtf8(listed.output);
}

TEST_F(ProcessTest, AFailureInAHandlerIsReportedAndEndsTheProgramWithItsIcon)
{
    SetText(HKEY_CURRENT_USER, kCatalogueKey, L"Title 0", L"Dump writer");
    JitswapProcess program;
    ASSERT_TRUE(program.WaitUntilRunning());
    HWND tray = program.TrayWindow();

    // The catalogue is reloaded when the store changes; now that fails.
    SetKeyAccess(HKEY_CURRENT_USER, kCatalogueKey, KeyAccess::None);
    SetText(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap", L"Touched", L"");

    const auto box = AnswerMessageBox(program.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Quarvel - Jitswap");
    EXPECT_TRUE(box->hasIcon);  // which one is checked in process: icons do not cross processes under Wine
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 5u);
    EXPECT_FALSE(ShellHoldsIcon(tray));
}

TEST_F(ProcessTest, AnEndThroughTerminateOrAbortHasTheRunTimeErrorsCodeNotDeclinedsCode)
{
    // The program's own handler, linked into a program that calls std::terminate, or abort.
    for (const wchar_t* endBy : {L"terminate", L"abort"}) {
        const ProcessOutput ran = RunForOutput(QuoteArgument(BuiltProgram(L"JITSWAP_TERMINATING_PROGRAM")) + L" " + endBy);
        EXPECT_EQ(ran.exitCode, static_cast<DWORD>(kExitRunTimeError)) << WideToUtf8(endBy);
    }
    EXPECT_NE(kExitRunTimeError, kExitCancelled);
}

TEST_F(ProcessTest, RegistersItsQuotedPathFromAFolderWithBlanks)
{
    const std::wstring copy = InstallCopy(L"C:\\Program Files\\Jit Swap", false);
    JitswapProcess program(copy);
    ASSERT_TRUE(program.WaitUntilRunning());
    PostMessageW(program.MainWindow(), WM_COMMAND, kToggleAutostart, 0);
    Sleep(300);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kRunKey, AppGuid), L"\"C:\\Program Files\\Jit Swap\\jitswap.exe\"");
    PostMessageW(program.MainWindow(), WM_COMMAND, kToggleAutostart, 0);
    Sleep(300);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kRunKey, AppGuid), std::nullopt);
}

TEST_F(ProcessTest, HelpIsTheReadMeBesideTheProgramNotInTheCurrentFolder)
{
    // The current folder holds a ReadMe.TXT of its own; the program's folder holds none.
    const std::wstring elsewhere = L"C:\\jitswap-current";
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    CopyFileW((BuiltExecutable().substr(0, BuiltExecutable().find_last_of(L'\\')) + L"\\ReadMe.TXT").c_str(),
              (elsewhere + L"\\ReadMe.TXT").c_str(), FALSE);
    const std::wstring copy = InstallCopy(L"C:\\jitswap-no-help", false);
    JitswapProcess program(copy, elsewhere);
    ASSERT_TRUE(program.WaitUntilRunning());

    PostMessageW(program.MainWindow(), WM_COMMAND, kContents, 0);
    const auto box = AnswerMessageBox(program.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Quarvel - Jitswap");
    EXPECT_EQ(box->texts, std::vector<std::wstring>{L"Не удаётся открыть файл ReadMe.TXT"});
    EXPECT_TRUE(box->hasIcon);  // which one is checked in process: icons do not cross processes under Wine
    Sleep(200);
    EXPECT_TRUE(program.IsRunning()) << "nothing else happens";
}
