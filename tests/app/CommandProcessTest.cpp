// The commands for people and scripts, run as a script runs them: jitswap.exe in a process of its
// own with its output redirected, read back as UTF-8, with its exit code and what it wrote.

#include "app/Command.h"
#include "support/text/ArgumentQuoting.h"
#include "support/text/TextConversion.h"
#include "tests/app/JitswapProcess.h"
#include "tests/app/ProgramRegistry.h"
#include "tests/common/ProcessOutput.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;
using namespace jitswap::test::registry;

namespace {

void SetAccess(KeyAccess access)
{
    for (REGSAM view : kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, access, view);
}

class CommandProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAccess(KeyAccess::Full);
        ForgetProgramSettings();
        SetSystem(L"other.exe -p %ld", L"0");
        StoreEntry(0, L"WinDbg", L"windbg.exe -p %ld -e %ld -g", true);
        StoreEntry(1, L"x64dbg", L"x64dbg.exe -a %ld -e %ld", false, L"x32dbg.exe -a %ld -e %ld");
    }
    void TearDown() override
    {
        SetAccess(KeyAccess::Full);
        ForgetProgramSettings();
    }
};

} // namespace

TEST_F(CommandProcessTest, ListAndCurrentShowTheCatalogueAndEachView)
{
    SetSystemView(KEY_WOW64_64KEY, L"x64dbg.exe -a %ld -e %ld", L"0");
    SetSystemView(KEY_WOW64_32KEY, L"x32dbg.exe -a %ld -e %ld", L"0");
    const Ran list = Jitswap({L"/list"});
    EXPECT_EQ(list.exitCode, 0u);
    EXPECT_EQ(list.output, L"  1. WinDbg\r\n"
                           L"     Командная строка: windbg.exe -p %ld -e %ld -g\r\n"
                           L"     Автоматический вызов: да\r\n"
                           L"* 2. x64dbg\r\n"
                           L"     Командная строка: x64dbg.exe -a %ld -e %ld\r\n"
                           L"     Для 32-битных программ: x32dbg.exe -a %ld -e %ld\r\n"
                           L"     Автоматический вызов: нет\r\n"
                           L"* - отладчик, установленный сейчас.\r\n");
    const Ran current = Jitswap({L"/current"});
    EXPECT_EQ(current.exitCode, 0u);
    EXPECT_EQ(current.output, L"Для 64-битных программ:\r\n  Debugger: x64dbg.exe -a %ld -e %ld\r\n  Auto: 0\r\n"
                              L"Для 32-битных программ:\r\n  Debugger: x32dbg.exe -a %ld -e %ld\r\n  Auto: 0\r\n"
                              L"Из списка: 2. x64dbg\r\n");

    // One view differs: no entry is in force.
    SetSystemView(KEY_WOW64_32KEY, L"x32dbg.exe -a %ld -e %ld", L"1");
    EXPECT_TRUE(Jitswap({L"/list"}).output.ends_with(L"не совпадает ни с одним из списка (Неизвестный).\r\n"));
    EXPECT_TRUE(Jitswap({L"/current"}).output.ends_with(L"  Auto: 1\r\nИз списка: ни один (Неизвестный)\r\n"));

    const Ran usage = Jitswap({L"-?"});
    EXPECT_EQ(usage.exitCode, 0u);
    EXPECT_NE(usage.output.find(L"\r\n  jitswap /use \"Название\"   "), std::wstring::npos);
}

TEST_F(CommandProcessTest, UseSwitchesBothViewsWhileTheTrayCopyRuns)
{
    JitswapProcess tray;
    ASSERT_TRUE(tray.WaitUntilRunning());

    const Ran byNumber = Jitswap({L"/use", L"2"});
    EXPECT_EQ(byNumber.exitCode, 0u);
    EXPECT_EQ(byNumber.output, L"Установлен отладчик 2. x64dbg.\r\n");
    EXPECT_EQ(System(), L"x64dbg.exe -a %ld -e %ld, 0 / x32dbg.exe -a %ld -e %ld, 0");

    EXPECT_EQ(Jitswap({L"/USE", L"WinDbg"}).exitCode, 0u);
    EXPECT_EQ(System(), L"windbg.exe -p %ld -e %ld -g, 1 / windbg.exe -p %ld -e %ld -g, 1");

    // The elevated copy's form: silent, and no more held back by the running copy than /use.
    const Ran applied = Jitswap(ApplyArguments({L"\"C:\\Program Files\\dbg\\\" -p %ld", L"", false}));
    EXPECT_EQ(applied.exitCode, 0u);
    EXPECT_EQ(applied.output, L"");
    EXPECT_EQ(System(), L"\"C:\\Program Files\\dbg\\\" -p %ld, 0 / \"C:\\Program Files\\dbg\\\" -p %ld, 0");
    EXPECT_TRUE(tray.IsRunning());
}

// The list is open in the tray copy while /use keeps the setting it replaces: the list's Ok keeps
// that entry too.
TEST_F(CommandProcessTest, TheListsOkKeepsTheEntryUseKeptWhileItWasOpen)
{
    JitswapProcess tray;
    ASSERT_TRUE(tray.WaitUntilRunning());
    PostMessageW(tray.MainWindow(), WM_COMMAND, 1000 /* "Править список..." */, 0);
    HWND list = WaitForWindow(tray.Id(), L"JitswapForm", 10000, true);
    ASSERT_TRUE(list);

    ASSERT_EQ(Jitswap({L"/use", L"2"}).exitCode, 0u);
    PostMessageW(list, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(list, IDOK)));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(list); }, 10000));
    const std::wstring listed = Jitswap({L"/list"}).output;
    EXPECT_NE(listed.find(L"\r\n  3. Прежний: other.exe\r\n"), std::wstring::npos) << WideToUtf8(listed);
}

TEST_F(CommandProcessTest, BadUsageOrNoSuchEntryEndsWithTwoAndWritesNothing)
{
    const auto catalogue = RegistrySnapshot(HKEY_CURRENT_USER, L"Software\\Quarvel");
    const std::wstring before = System();

    const std::vector<std::vector<std::wstring>> badUses{{L"/use"}, {L"/use", L"3"}, {L"/use", L"windbg"},
                                                         {L"/list", L"extra"}, {L"/apply", L"x.exe", L""},
                                                         {L"/apply", L"x.exe -p %ld %s", L"", L"1"}};
    for (const auto& arguments : badUses) EXPECT_EQ(Jitswap(arguments).exitCode, 2u) << WideToUtf8(JoinArguments(arguments));
    EXPECT_EQ(Jitswap({L"/use", L"3"}).output, L"В списке нет отладчика «3». Список: jitswap /list\r\n");
    EXPECT_EQ(Jitswap({L"/bogus"}).output, L"Неизвестный параметр: «/bogus».\r\nСправка: jitswap /?\r\n");

    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, L"Software\\Quarvel"), catalogue);
    EXPECT_EQ(System(), before);
}

TEST_F(CommandProcessTest, ARefusedWriteEndsWithOneAndLeavesBothViews)
{
    SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::ReadOnly, KEY_WOW64_32KEY);
    const Ran used = Jitswap({L"/use", L"1"});
    EXPECT_EQ(used.exitCode, 1u);
    EXPECT_EQ(used.output, L"Не удалось установить новый профиль!\r\n");
    const Ran applied = Jitswap(ApplyArguments({L"windbg.exe -p %ld -e %ld -g", L"", true}));
    EXPECT_EQ(applied.exitCode, 1u);
    EXPECT_EQ(applied.output, L"");
    EXPECT_EQ(System(), L"other.exe -p %ld, 0 / other.exe -p %ld, 0");
}
