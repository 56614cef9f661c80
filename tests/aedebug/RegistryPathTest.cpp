// The debugger setting in one registry key, as 32-bit Windows keeps it: the real registry of the
// Wine prefix, through the code every switch runs.
#include "aedebug/SystemDebugger.h"
#include "support/win32/Win32Error.h"
#include "tests/aedebug/AeDebugTestSupport.h"
#include "tests/aedebug/HostFamilySeam.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;

namespace {

// One view of the setting, as the program writes and reads it. The test program is 64-bit: its
// own view stands for the one key.
std::wstring ReadDebugger()
{
    return ReadSystemDebuggerState().native.debugger;
}

bool ReadAuto()
{
    return ReadSystemDebuggerState().native.autoStart;
}

bool WriteDebugger(const std::wstring& commandLine)
{
    return ApplySystemDebugger(DebuggerChoice{commandLine, L"", ReadAuto()}) == SwitchResult::Done;
}

bool WriteAuto(bool autoStart)
{
    return ApplySystemDebugger(DebuggerChoice{ReadDebugger(), L"", autoStart}) == SwitchResult::Done;
}

class RegistryPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::SetHostWinNT(true);
        seam::SetWindows64Bit(false);
        RemoveAeDebugValue(L"Debugger");
        RemoveAeDebugValue(L"Auto");
    }

private:
    AeDebugKeyBackup m_backup;
};

TEST_F(RegistryPath, CommandLineIsWrittenAsTextTheSystemReadsAndEmptyTextDeletesIt)
{
    const std::wstring commandLine = L"  \"C:\\Tools\\dbg.exe\" -p %ld -e %ld  ";
    ASSERT_TRUE(WriteDebugger(commandLine));
    const auto stored = RegQueryAeDebug(L"Debugger");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, L"REG_SZ");
    EXPECT_EQ(stored->data, commandLine);
    EXPECT_EQ(ReadDebugger(), commandLine);

    ASSERT_TRUE(WriteDebugger(L""));
    EXPECT_FALSE(RegQueryAeDebug(L"Debugger"));
    EXPECT_EQ(ReadDebugger(), L"");

    // Only the empty text deletes.
    ASSERT_TRUE(WriteDebugger(L"   "));
    EXPECT_EQ(ReadDebugger(), L"   ");
}

TEST_F(RegistryPath, AutoIsWrittenAsOneOrZero)
{
    ASSERT_TRUE(WriteAuto(true));
    EXPECT_EQ(RegQueryAeDebug(L"Auto")->data, L"1");
    EXPECT_TRUE(ReadAuto());

    ASSERT_TRUE(WriteAuto(false));
    const auto stored = RegQueryAeDebug(L"Auto");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, L"REG_SZ");
    EXPECT_EQ(stored->data, L"0");
    EXPECT_FALSE(ReadAuto());
}

TEST_F(RegistryPath, AutoReadsTrueOnlyForOneWithOrWithoutBlanks)
{
    EXPECT_FALSE(ReadAuto()) << "absent";
    for (const wchar_t* text : {L"1", L" 1 ", L"\t1"}) {
        PlantAeDebugText(L"Auto", text);
        EXPECT_TRUE(ReadAuto()) << testing::PrintToString(std::wstring(text));
    }
    for (const wchar_t* text : {L"", L"0", L"01", L"2", L"1 1", L"yes"}) {
        PlantAeDebugText(L"Auto", text);
        EXPECT_FALSE(ReadAuto()) << testing::PrintToString(std::wstring(text));
    }
}

TEST_F(RegistryPath, ValuesOtherToolsLeaveReadAsAUserExpects)
{
    // Some tools store Auto as a number.
    const DWORD one = 1;
    PlantAeDebugValue(L"Auto", REG_DWORD, &one, sizeof(one));
    EXPECT_TRUE(ReadAuto());
    const DWORD zero = 0;
    PlantAeDebugValue(L"Auto", REG_DWORD, &zero, sizeof(zero));
    EXPECT_FALSE(ReadAuto());

    PlantAeDebugText(L"Debugger", L"%SystemRoot%\\system32\\dbg.exe -p %ld", REG_EXPAND_SZ);
    EXPECT_EQ(ReadDebugger(), L"%SystemRoot%\\system32\\dbg.exe -p %ld");

    // Longer than any first guess at a buffer size.
    const std::wstring longLine = L"dbg.exe " + std::wstring(5000, L'a');
    PlantAeDebugText(L"Debugger", longLine);
    EXPECT_EQ(ReadDebugger(), longLine);

    const BYTE bytes[] = {0x64, 0x00, 0x62, 0x00};
    PlantAeDebugValue(L"Debugger", REG_BINARY, bytes, sizeof(bytes));
    EXPECT_EQ(ReadDebugger(), L"") << "a value with no text form reads as no debugger";
}

TEST_F(RegistryPath, DeletingWhatIsAbsentSucceeds)
{
    EXPECT_TRUE(WriteDebugger(L""));
    RemoveAeDebugKey();
    EXPECT_TRUE(WriteDebugger(L""));
}

TEST_F(RegistryPath, WritingOnASystemWithoutTheKeyCreatesIt)
{
    RemoveAeDebugKey();
    EXPECT_EQ(ReadDebugger(), L"");
    EXPECT_FALSE(ReadAuto());

    ASSERT_TRUE(WriteDebugger(L"dbg.exe -p %ld"));
    ASSERT_TRUE(WriteAuto(true));
    EXPECT_EQ(RegQueryAeDebug(L"Debugger")->data, L"dbg.exe -p %ld");
    EXPECT_EQ(RegQueryAeDebug(L"Auto")->data, L"1");
}

TEST_F(RegistryPath, RefusedChangesReturnFalseAndKeepTheStoredValues)
{
    PlantAeDebugText(L"Debugger", L"old.exe -p %ld");
    PlantAeDebugText(L"Auto", L"1");
    {
        // Everyone may read the key, nobody may change its values.
        const AeDebugKeyDacl readOnly(L"D:P(A;;KR;;;WD)");
        EXPECT_FALSE(WriteDebugger(L"new.exe -p %ld"));
        EXPECT_FALSE(WriteAuto(false));
        EXPECT_FALSE(WriteDebugger(L""));
        // Reading needs no more than the right to read.
        EXPECT_EQ(ReadDebugger(), L"old.exe -p %ld");
        EXPECT_TRUE(ReadAuto());
    }
    EXPECT_EQ(RegQueryAeDebug(L"Debugger")->data, L"old.exe -p %ld");
    EXPECT_EQ(RegQueryAeDebug(L"Auto")->data, L"1");
}

TEST_F(RegistryPath, AKeyThatCannotBeReadIsAnErrorNotAnEmptySetting)
{
    PlantAeDebugText(L"Debugger", L"old.exe -p %ld");
    const AeDebugKeyDacl unreadable(L"D:P(A;;RCWD;;;WD)");
    EXPECT_THROW(ReadDebugger(), Win32Error);
}

} // namespace
