// The debugger setting on an NT-family host: the real registry of the Wine prefix.
#include "aedebug/modAeDebug.h"
#include "support/win32/Win32Error.h"
#include "tests/aedebug/AeDebugTestSupport.h"
#include "tests/aedebug/HostFamilySeam.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;

namespace {

class RegistryPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::SetHostWinNT(true);
        RemoveAeDebugValue(L"Debugger");
        RemoveAeDebugValue(L"Auto");
    }

private:
    AeDebugKeyBackup m_backup;
};

TEST_F(RegistryPath, CommandLineIsWrittenAsTextTheSystemReadsAndEmptyTextDeletesIt)
{
    const std::wstring commandLine = L"  \"C:\\Tools\\dbg.exe\" -p %ld -e %ld  ";
    ASSERT_TRUE(SetSystemDebugger(commandLine));
    const auto stored = RegQueryAeDebug(L"Debugger");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, L"REG_SZ");
    EXPECT_EQ(stored->data, commandLine);
    EXPECT_EQ(GetSystemDebugger(), commandLine);

    ASSERT_TRUE(SetSystemDebugger(L""));
    EXPECT_FALSE(RegQueryAeDebug(L"Debugger"));
    EXPECT_EQ(GetSystemDebugger(), L"");

    // Only the empty text deletes.
    ASSERT_TRUE(SetSystemDebugger(L"   "));
    EXPECT_EQ(GetSystemDebugger(), L"   ");
}

TEST_F(RegistryPath, AutoIsWrittenAsOneOrZero)
{
    ASSERT_TRUE(SetSystemDebuggerAuto(true));
    EXPECT_EQ(RegQueryAeDebug(L"Auto")->data, L"1");
    EXPECT_TRUE(GetSystemDebuggerAuto());

    ASSERT_TRUE(SetSystemDebuggerAuto(false));
    const auto stored = RegQueryAeDebug(L"Auto");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, L"REG_SZ");
    EXPECT_EQ(stored->data, L"0");
    EXPECT_FALSE(GetSystemDebuggerAuto());
}

TEST_F(RegistryPath, AutoReadsTrueOnlyForOneWithOrWithoutBlanks)
{
    EXPECT_FALSE(GetSystemDebuggerAuto()) << "absent";
    for (const wchar_t* text : {L"1", L" 1 ", L"\t1"}) {
        PlantAeDebugText(L"Auto", text);
        EXPECT_TRUE(GetSystemDebuggerAuto()) << testing::PrintToString(std::wstring(text));
    }
    for (const wchar_t* text : {L"", L"0", L"01", L"2", L"1 1", L"yes"}) {
        PlantAeDebugText(L"Auto", text);
        EXPECT_FALSE(GetSystemDebuggerAuto()) << testing::PrintToString(std::wstring(text));
    }
}

TEST_F(RegistryPath, ValuesOtherToolsLeaveReadAsAUserExpects)
{
    // Some tools store Auto as a number.
    const DWORD one = 1;
    PlantAeDebugValue(L"Auto", REG_DWORD, &one, sizeof(one));
    EXPECT_TRUE(GetSystemDebuggerAuto());
    const DWORD zero = 0;
    PlantAeDebugValue(L"Auto", REG_DWORD, &zero, sizeof(zero));
    EXPECT_FALSE(GetSystemDebuggerAuto());

    PlantAeDebugText(L"Debugger", L"%SystemRoot%\\system32\\dbg.exe -p %ld", REG_EXPAND_SZ);
    EXPECT_EQ(GetSystemDebugger(), L"%SystemRoot%\\system32\\dbg.exe -p %ld");

    // Longer than any first guess at a buffer size.
    const std::wstring longLine = L"dbg.exe " + std::wstring(5000, L'a');
    PlantAeDebugText(L"Debugger", longLine);
    EXPECT_EQ(GetSystemDebugger(), longLine);

    const BYTE bytes[] = {0x64, 0x00, 0x62, 0x00};
    PlantAeDebugValue(L"Debugger", REG_BINARY, bytes, sizeof(bytes));
    EXPECT_EQ(GetSystemDebugger(), L"") << "a value with no text form reads as no debugger";
}

TEST_F(RegistryPath, DeletingWhatIsAbsentSucceeds)
{
    EXPECT_TRUE(SetSystemDebugger(L""));
    RemoveAeDebugKey();
    EXPECT_TRUE(SetSystemDebugger(L""));
}

TEST_F(RegistryPath, WritingOnASystemWithoutTheKeyCreatesIt)
{
    RemoveAeDebugKey();
    EXPECT_EQ(GetSystemDebugger(), L"");
    EXPECT_FALSE(GetSystemDebuggerAuto());

    ASSERT_TRUE(SetSystemDebugger(L"dbg.exe -p %ld"));
    ASSERT_TRUE(SetSystemDebuggerAuto(true));
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
        EXPECT_FALSE(SetSystemDebugger(L"new.exe -p %ld"));
        EXPECT_FALSE(SetSystemDebuggerAuto(false));
        EXPECT_FALSE(SetSystemDebugger(L""));
        // Reading needs no more than the right to read.
        EXPECT_EQ(GetSystemDebugger(), L"old.exe -p %ld");
        EXPECT_TRUE(GetSystemDebuggerAuto());
    }
    EXPECT_EQ(RegQueryAeDebug(L"Debugger")->data, L"old.exe -p %ld");
    EXPECT_EQ(RegQueryAeDebug(L"Auto")->data, L"1");
}

TEST_F(RegistryPath, AKeyThatCannotBeReadIsAnErrorNotAnEmptySetting)
{
    PlantAeDebugText(L"Debugger", L"old.exe -p %ld");
    const AeDebugKeyDacl unreadable(L"D:P(A;;RCWD;;;WD)");
    EXPECT_THROW(GetSystemDebugger(), Win32Error);
}

} // namespace
