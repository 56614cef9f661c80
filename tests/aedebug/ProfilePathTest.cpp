// The debugger setting on a host of the older family: the real WIN.INI of the Wine prefix.
#include "aedebug/modAeDebug.h"
#include "aedebug/SystemDebugger.h"
#include "tests/aedebug/AeDebugTestSupport.h"
#include "tests/aedebug/HostFamilySeam.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;

namespace {

// The prefix's WIN.INI has no [AeDebug] section of its own; each test starts and ends without one.
class ProfilePath : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::SetHostWinNT(false);
        RemoveSection();
    }
    void TearDown() override { RemoveSection(); }

    static void RemoveSection() { WriteProfileStringA("AeDebug", nullptr, nullptr); }
};

TEST_F(ProfilePath, CommandLineIsWrittenToWinIniAndEmptyTextRemovesIt)
{
    ASSERT_TRUE(SetSystemDebugger(L"C:\\Tools\\dbg.exe -p %ld -e %ld"));
    EXPECT_EQ(WinIniAeDebugLine("Debugger"), "C:\\Tools\\dbg.exe -p %ld -e %ld");
    EXPECT_EQ(GetSystemDebugger(), L"C:\\Tools\\dbg.exe -p %ld -e %ld");

    ASSERT_TRUE(SetSystemDebugger(L""));
    EXPECT_FALSE(WinIniAeDebugLine("Debugger"));
    EXPECT_EQ(GetSystemDebugger(), L"");
}

TEST_F(ProfilePath, PathsAreKeptApart)
{
    const AeDebugKeyBackup backup;
    PlantAeDebugText(L"Debugger", L"registry.exe");
    ASSERT_TRUE(SetSystemDebugger(L"winini.exe"));
    EXPECT_EQ(ReadSystemDebuggerState().native.debugger, L"winini.exe");
    seam::SetHostWinNT(true);
    EXPECT_EQ(ReadSystemDebuggerState().native.debugger, L"registry.exe");
}

// The profile functions drop blanks and one pair of quotes around a value on their own.
TEST_F(ProfilePath, BlanksAndQuotesAroundACommandLineComeBackUnchanged)
{
    for (const wchar_t* commandLine : {L"  C:\\dbg.exe -p %ld  ", L"   ", L"\"C:\\my dbg.exe\" \"%ld\"", L"'x'",
                                       L"\"", L"\tdbg.exe"}) {
        ASSERT_TRUE(SetSystemDebugger(commandLine)) << testing::PrintToString(std::wstring(commandLine));
        EXPECT_EQ(GetSystemDebugger(), commandLine);
    }
}

TEST_F(ProfilePath, AutoIsWrittenAsOneOrZero)
{
    ASSERT_TRUE(SetSystemDebuggerAuto(true));
    EXPECT_EQ(WinIniAeDebugLine("Auto"), "1");
    EXPECT_TRUE(GetSystemDebuggerAuto());

    ASSERT_TRUE(SetSystemDebuggerAuto(false));
    EXPECT_EQ(WinIniAeDebugLine("Auto"), "0");
    EXPECT_FALSE(GetSystemDebuggerAuto());
}

TEST_F(ProfilePath, AutoReadsTrueOnlyForOneWithOrWithoutBlanks)
{
    EXPECT_FALSE(GetSystemDebuggerAuto()) << "absent";
    // Quoted, the blanks reach the program.
    for (const char* text : {"1", "\" 1 \"", "\"\t1\""}) {
        WriteProfileStringA("AeDebug", "Auto", text);
        EXPECT_TRUE(GetSystemDebuggerAuto()) << text;
    }
    for (const char* text : {"", "0", "01", "2", "\"1 1\""}) {
        WriteProfileStringA("AeDebug", "Auto", text);
        EXPECT_FALSE(GetSystemDebuggerAuto()) << text;
    }
}

TEST_F(ProfilePath, ALongerCommandLineComesBackCutTo1023Characters)
{
    std::wstring commandLine = L"dbg.exe ";
    while (commandLine.size() < 1500) commandLine += std::to_wstring(commandLine.size() % 10);
    ASSERT_TRUE(SetSystemDebugger(commandLine));
    EXPECT_EQ(GetSystemDebugger(), commandLine.substr(0, 1023));
}

TEST_F(ProfilePath, ALineBreakIsRefusedRatherThanStartingAKeyOfItsOwn)
{
    ASSERT_TRUE(SetSystemDebugger(L"old.exe"));
    EXPECT_FALSE(SetSystemDebugger(L"new.exe\r\nAuto=1"));
    EXPECT_FALSE(WinIniAeDebugLine("Auto"));
    EXPECT_EQ(GetSystemDebugger(), L"old.exe");
}

TEST_F(ProfilePath, ACharacterOutsideTheAnsiCodePageIsRefusedRatherThanNamingAnotherProgram)
{
    if (GetACP() != 1252) GTEST_SKIP() << "written for the Western code page; this session has " << GetACP();
    ASSERT_TRUE(SetSystemDebugger(L"old.exe"));
    // Converted, these would become "L" and "z" (best fit) and "?" (no fit at all).
    EXPECT_FALSE(SetSystemDebugger(L"C:\\Łódź\\dbg.exe"));
    EXPECT_FALSE(SetSystemDebugger(L"C:\\Отладка\\dbg.exe"));
    EXPECT_EQ(GetSystemDebugger(), L"old.exe");
}

} // namespace
