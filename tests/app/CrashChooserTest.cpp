// "Спросить при сбое" for real: AeDebug names the built jitswap.exe with /crashed, a program of the
// tests' own crashes, Wine's crash handling starts the chooser with the process id and the event,
// and the recording debugger (tests/tools) shows which debugger the chooser started, and with what.

#include "aedebug/CommandLineParts.h"
#include "app/Command.h"
#include "dialogs/frmCrashChooser.h"
#include "support/text/ArgumentQuoting.h"
#include "support/text/NumberText.h"
#include "support/text/TextConversion.h"
#include "support/win32/UniqueHandle.h"
#include "tests/app/JitswapProcess.h"
#include "tests/app/ProgramRegistry.h"
#include "tests/common/DialogDriver.h"
#include "tests/common/ProcessOutput.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace jitswap;
using namespace jitswap::test;
using namespace jitswap::test::registry;

namespace {

std::wstring ReadRecord(const std::wstring& file)
{
    std::ifstream in{std::filesystem::path(file), std::ios::binary};
    std::stringstream text;
    text << in.rdbuf();
    return Utf8ToWide(text.str());
}

// A crash of the tests' own program, and the chooser the system started for it.
struct Crash {
    PROCESS_INFORMATION program{};
    HWND chooser = nullptr;
    DWORD chooserId = 0;
    UniqueHandle chooserProcess;

    ~Crash()
    {
        if (WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(program.hProcess, 1);
        CloseHandle(program.hThread);
        CloseHandle(program.hProcess);
    }
    HWND Item(int id) const { return GetDlgItem(chooser, id); }
    bool ProgramEnded() const { return WaitForSingleObject(program.hProcess, 20000) == WAIT_OBJECT_0; }
    DWORD ChooserExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(chooserProcess.get(), 20000) == WAIT_OBJECT_0) GetExitCodeProcess(chooserProcess.get(), &code);
        return code;
    }
    // The list's item as the user double-clicks it.
    void DoubleClickItem(int index) const
    {
        HWND list = Item(frmCrashChooser::kLstDebuggers);
        RECT client{};
        GetClientRect(list, &client);
        const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        POINT point{client.right / 2, height * index + height / 2};
        ClientToScreen(list, &point);
        DoubleClickAt(point);
    }
};

class CrashChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            GTEST_SKIP() << "drives Wine's crash handling";
        DeleteFileW(m_record.c_str());
        ForgetProgramSettings();
        SetSystem(m_chooserLine, L"1");
        // As a first start seeds it: the chooser's own entry, never offered; an empty one, never
        // offered either; one the sequence check refuses; then the recording debugger.
        StoreEntry(0, L"Спросить при сбое", m_chooserLine, true);
        StoreEntry(1, L"Без отладчика", L"", false);
        StoreEntry(2, L"Неверный", m_recording + L" %s", true);
        StoreEntry(3, L"Записывающий", m_recording + L" %ld %ld", true);
    }
    void TearDown() override
    {
        SetSystem(L"winedbg --auto %ld %ld", L"1");
        ForgetProgramSettings();
        DeleteFileW(m_record.c_str());
    }

    // Starts the crashing program as the user would (the system's own error mode, not the test's)
    // and waits for the chooser.
    static void CrashAndWaitForChooser(Crash& crash)
    {
        std::wstring commandLine = QuoteArgument(BuiltProgram(L"JITSWAP_CRASHING_PROGRAM"));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                                   nullptr, nullptr, &startup, &crash.program));
        for (int waited = 0; waited < 300 && !crash.chooser; ++waited) {
            HWND window = FindWindowW(L"JitswapForm", L"Сбой программы");
            if (window && IsWindowVisible(window)) crash.chooser = window;
            Sleep(50);
        }
        ASSERT_NE(crash.chooser, nullptr) << "no chooser came up";
        GetWindowThreadProcessId(crash.chooser, &crash.chooserId);
        crash.chooserProcess.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, crash.chooserId));
        EXPECT_NE(crash.chooserId, crash.program.dwProcessId);
        EXPECT_TRUE(GetWindowLongW(crash.chooser, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }

    const std::wstring m_record = (std::filesystem::temp_directory_path() / L"jitswap-crash-record.txt").wstring();
    const std::wstring m_chooserLine = QuotedPath(BuiltExecutable()) + L" /crashed %ld %ld";
    const std::wstring m_recording = QuotedPath(InstalledProgram(L"JITSWAP_RECORDING_DEBUGGER")) + L" " + QuotedPath(m_record);
};

} // namespace

TEST_F(CrashChooserTest, ThePickedDebuggerAttachesAndIsOfferedFirstNextTime)
{
    // The chooser runs with the crashed program's rights, an administrator's under Wine: a debugger
    // any account may replace is named before it runs with them.
    const std::wstring shared = L"C:\\Shared Recorder";
    MakeFolderEveryoneMayChange(shared);
    const std::wstring replaceable = shared + L"\\recording_debugger.exe";
    ASSERT_TRUE(CopyFileW(InstalledProgram(L"JITSWAP_RECORDING_DEBUGGER").c_str(), replaceable.c_str(), FALSE));
    StoreEntry(4, L"Подменяемый", QuotedPath(replaceable) + L" " + QuotedPath(m_record) + L" %ld %ld", true);
    {
        Crash crash;
        ASSERT_NO_FATAL_FAILURE(CrashAndWaitForChooser(crash));
        const std::wstring program = BuiltProgram(L"JITSWAP_CRASHING_PROGRAM");
        EXPECT_EQ(Text(crash.Item(frmCrashChooser::kLblProgram)), L"В программе " + FileNameOf(program) + L" произошёл сбой.");
        EXPECT_EQ(Text(crash.Item(frmCrashChooser::kLblPath)), program);
        EXPECT_EQ(Text(crash.Item(frmCrashChooser::kLblProcess)),
                  L"Процесс " + NumberText(crash.program.dwProcessId) + L", 64-битная программа.");
        HWND list = crash.Item(frmCrashChooser::kLstDebuggers);
        ASSERT_EQ(ListCount(list), 3);
        EXPECT_EQ(ListItem(list, 0), L"Неверный");
        EXPECT_EQ(ListItem(list, 1), L"Записывающий");
        EXPECT_EQ(ListSelection(list), 0);

        // "Отладить" on a line the sequence check refuses: the usual message, and the list stays.
        Answer(crash.chooser, frmCrashChooser::kCmdDebug);
        HWND box = WaitForWindow(crash.chooserId, L"#32770", 10000, true);
        ASSERT_NE(box, nullptr);
        const SeenDialog seen = Describe(box);
        ASSERT_FALSE(seen.texts.empty());
        EXPECT_TRUE(seen.texts.front().starts_with(L"Командная строка не может содержать «%s»")) << seen.texts.front().c_str();
        Answer(box, IDOK);
        Sleep(300);
        ASSERT_TRUE(IsWindowVisible(crash.chooser));
        EXPECT_EQ(ReadRecord(m_record), L"");

        // No to the warning starts nothing, and the list stays.
        SendMessageW(list, LB_SETCURSEL, 2, 0);
        Answer(crash.chooser, frmCrashChooser::kCmdDebug);
        box = WaitForWindow(crash.chooserId, L"#32770", 10000, true);
        ASSERT_NE(box, nullptr);
        const SeenDialog warning = Describe(box);
        ASSERT_FALSE(warning.texts.empty());
        EXPECT_TRUE(warning.texts.front().starts_with(L"Программу «" + replaceable + L"» может подменить"))
            << warning.texts.front().c_str();
        EXPECT_NE(warning.texts.front().find(L"работает с правами администратора"), std::wstring::npos);
        Answer(box, IDNO);
        Sleep(300);
        ASSERT_TRUE(IsWindowVisible(crash.chooser));
        EXPECT_EQ(ReadRecord(m_record), L"");

        crash.DoubleClickItem(1);
        EXPECT_EQ(crash.ChooserExitCode(), static_cast<DWORD>(kExitDone));
        // The recording debugger attached, had the crash handed to it and ended the program.
        ASSERT_TRUE(crash.ProgramEnded());
        DWORD exitCode = 0;
        GetExitCodeProcess(crash.program.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 9u);
        const std::wstring record = ReadRecord(m_record);
        const std::wstring started = L" [" + NumberText(crash.program.dwProcessId) + L"] [";
        EXPECT_NE(record.find(started), std::wstring::npos) << record.c_str();
        EXPECT_TRUE(record.ends_with(L"]\r\n")) << record.c_str();
    }
    const std::wstring recorded = ReadRecord(m_record);

    // The next crash of that program offers that debugger first; Esc starts nothing.
    Crash crash;
    ASSERT_NO_FATAL_FAILURE(CrashAndWaitForChooser(crash));
    EXPECT_EQ(ListSelection(crash.Item(frmCrashChooser::kLstDebuggers)), 1);
    const HWND label = crash.Item(frmCrashChooser::kLblProgram);
    RECT area{};
    GetWindowRect(label, &area);
    ClickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    Sleep(200);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(crash.ChooserExitCode(), static_cast<DWORD>(kExitCancelled));
    EXPECT_TRUE(crash.ProgramEnded());
    EXPECT_EQ(ReadRecord(m_record), recorded);
}

TEST_F(CrashChooserTest, WithoutAChoiceInTimeItEndsAsNotDebugged)
{
    WriteText(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap\\Options", L"Crash Choice Seconds", L"2");
    Crash crash;
    ASSERT_NO_FATAL_FAILURE(CrashAndWaitForChooser(crash));
    const std::wstring shown = Text(crash.Item(frmCrashChooser::kLblTimeLimit));
    EXPECT_TRUE(shown.find(L" 2 с ") != std::wstring::npos || shown.find(L" 1 с ") != std::wstring::npos) << shown.c_str();
    EXPECT_EQ(crash.ChooserExitCode(), static_cast<DWORD>(kExitCancelled));
    EXPECT_TRUE(crash.ProgramEnded());
    EXPECT_EQ(ReadRecord(m_record), L"");
}

TEST_F(CrashChooserTest, MalformedArgumentsOrNoOneToAnswerStartNothing)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const UniqueHandle event(CreateEventW(&inherited, TRUE, FALSE, nullptr));
    const std::wstring self = NumberText(GetCurrentProcessId());
    const std::wstring eventNumber = NumberText(reinterpret_cast<ULONG_PTR>(event.get()));
    const auto run = [](const std::wstring& arguments) {
        return RunForOutput(QuoteArgument(BuiltExecutable()) + L" /crashed " + arguments).exitCode;
    };
    const struct {
        std::wstring arguments;
        int exitCode;
    } malformed[] = {
        {L"", kExitBadUsage},
        {L"12x 4", kExitBadUsage},
        {self + L" " + eventNumber + L" 0xZZ", kExitBadUsage},
        // No such process; no such handle in the chooser.
        {L"999996 " + eventNumber, kExitBadUsage},
        {self + L" 123456", kExitBadUsage},
    };
    for (const auto& c : malformed) EXPECT_EQ(run(c.arguments), static_cast<DWORD>(c.exitCode)) << c.arguments.c_str();

    // Everything right, but no entry fits (only the chooser's own and an empty one), or no
    // catalogue is stored: it ends at once, as "Не отлаживать".
    StoreEntry(2, L"Неверный", L"", false);
    StoreEntry(3, L"Записывающий", L"", false);
    EXPECT_EQ(run(self + L" " + eventNumber), static_cast<DWORD>(kExitCancelled));
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Quarvel");
    EXPECT_EQ(run(self + L" " + eventNumber + L" 0x000000000012F0A0"), static_cast<DWORD>(kExitCancelled));
    EXPECT_EQ(ReadRecord(m_record), L"");
}

TEST_F(CrashChooserTest, AProgramEndedMeanwhileLeavesNothingToAsk)
{
    Crash crash;
    ASSERT_NO_FATAL_FAILURE(CrashAndWaitForChooser(crash));
    TerminateProcess(crash.program.hProcess, 1);
    EXPECT_EQ(crash.ChooserExitCode(), static_cast<DWORD>(kExitCancelled));
    EXPECT_EQ(ReadRecord(m_record), L"");
}
