// jitswap /check and /check /crash as a script runs them, against the system's real crash handling
// (Wine's, which starts Debugger with the process id and the event), with the tests' own recording
// debugger standing for a real one.

#include "support/text/ArgumentQuoting.h"
#include "support/text/TextConversion.h"
#include "tests/app/JitswapProcess.h"
#include "tests/app/ProgramRegistry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace jitswap;
using namespace jitswap::test;
using namespace jitswap::test::registry;

namespace {

bool Has(const Ran& ran, const std::wstring& part)
{
    return ran.output.find(part) != std::wstring::npos;
}

// The recording debugger's command line: it appends "its-pid [arg]..." to `record`. Installed as a
// debugger should be, so that no finding of who may change it depends on where the build lies.
std::wstring Recorder(const std::wstring& record, const std::wstring& options = L"")
{
    return QuoteArgument(InstalledProgram(L"JITSWAP_RECORDING_DEBUGGER")) + L" " + record + L" " + options + L"%ld %ld";
}

// The process id the recording debugger wrote last.
std::wstring RecordedId(const wchar_t* record)
{
    std::ifstream in(record);
    std::string line;
    std::string last;
    while (std::getline(in, line)) last = line;
    return Utf8ToWide(last.substr(0, last.find(' ')));
}

class CheckCommandTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // As a fresh prefix has it.
        SetSystem(L"winedbg --auto %ld %ld", L"1");
        for (const wchar_t* record : {L"C:\\attach.txt", L"C:\\dump.txt"}) DeleteFileW(record);
    }
};

} // namespace

TEST_F(CheckCommandTest, ARecordingDebuggerIsCleanAndTheCrashStartsItWhetherItAttachesOrEnds)
{
    SetSystem(Recorder(L"C:\\attach.txt"), L"1");
    const Ran check = Jitswap({L"/check"});
    EXPECT_EQ(check.exitCode, 0u);
    EXPECT_TRUE(Has(check, L"Для 64-битных программ: \"C:\\Program Files\\Jitswap Tests\\recording_debugger.exe\""))
        << WideToUtf8(check.output);
    EXPECT_FALSE(Has(check, L"ошибка:") || Has(check, L"предупреждение:") || Has(check, L"сведения:"))
        << WideToUtf8(check.output);

    const Ran attached = Jitswap({L"/check", L"/crash", L"64"});
    EXPECT_EQ(attached.exitCode, 0u) << WideToUtf8(attached.output);
    EXPECT_TRUE(Has(attached, L"Пробный сбой 64-битной программы: Запустился отладчик C:\\Program Files\\Jitswap Tests\\"))
        << WideToUtf8(attached.output);
    EXPECT_TRUE(Has(attached, L"recording_debugger.exe, процесс " + RecordedId(L"C:\\attach.txt") + L".\r\n"))
        << WideToUtf8(attached.output);

    // A dump writer records and ends at once: it is seen all the same.
    SetSystem(Recorder(L"C:\\dump.txt", L"--end-at-once "), L"1");
    const Ran dumped = Jitswap({L"-CHECK", L"-crash", L"64"});
    EXPECT_EQ(dumped.exitCode, 0u) << WideToUtf8(dumped.output);
    EXPECT_TRUE(Has(dumped, L", процесс " + RecordedId(L"C:\\dump.txt") + L".\r\n")) << WideToUtf8(dumped.output);
}

TEST_F(CheckCommandTest, AMissingProgramIsAnErrorAndTheCrashStartsNothing)
{
    SetSystem(L"C:\\Missing\\dbg.exe -p %ld -e %ld", L"1");
    const Ran check = Jitswap({L"/check"});
    EXPECT_EQ(check.exitCode, 1u);
    EXPECT_TRUE(Has(check, L"  ошибка: Программа «C:\\Missing\\dbg.exe» не найдена")) << WideToUtf8(check.output);

    const Ran crashed = Jitswap({L"/check", L"/crash", L"64"});
    EXPECT_EQ(crashed.exitCode, 1u);
    EXPECT_TRUE(Has(crashed, L"Пробный сбой 64-битной программы: Программа завершилась, отладчик не запустился.\r\n"))
        << WideToUtf8(crashed.output);
}

TEST_F(CheckCommandTest, SequencesWrittenByHandAndANumberAsAuto)
{
    const std::pair<std::wstring, const wchar_t*> lines[] = {
        {L"C:\\windows\\system32\\cmd.exe %p -p %ld -e %ld", L"ошибка: Подстановки стоят не в том порядке"},
        {L"C:\\windows\\system32\\cmd.exe -p %ld %s", L"ошибка: Командная строка не может содержать «%s»"},
    };
    for (const auto& [line, finding] : lines) {
        SetSystem(line, L"1");
        const Ran check = Jitswap({L"/check"});
        EXPECT_EQ(check.exitCode, 1u);
        EXPECT_TRUE(Has(check, finding)) << WideToUtf8(check.output);
    }

    SetSystem(Recorder(L"C:\\attach.txt"), L"1");
    const DWORD one = 1;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"Auto", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegCloseKey(key);
    const Ran check = Jitswap({L"/check"});
    EXPECT_EQ(check.exitCode, 0u) << "a warning is no error";
    EXPECT_TRUE(Has(check, L" %ld %ld; Auto: 1\r\n  предупреждение: Auto записано как REG_DWORD"))
        << WideToUtf8(check.output);
}

TEST_F(CheckCommandTest, WithoutADebuggerItSaysWhatWineDoesInstead)
{
    for (REGSAM view : kViews) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_SET_VALUE | view, &key), ERROR_SUCCESS);
        RegDeleteValueW(key, L"Debugger");
        RegCloseKey(key);
    }
    const Ran check = Jitswap({L"/check"});
    EXPECT_EQ(check.exitCode, 0u);
    EXPECT_TRUE(Has(check, L"сведения: Отладчик не задан: Windows отдала бы сбой службе отчётов об ошибках, Wine "
                           L"запускает свой winedbg."))
        << WideToUtf8(check.output);
    EXPECT_TRUE(Has(Jitswap({L"/?"}), L"  jitswap /check /crash     "));
}
