// The WIN.INI path under a Cyrillic ANSI code page: the program's wide text and WIN.INI's ANSI
// text must meet in code page 1251. CTest runs this program with a Russian locale.
#include "aedebug/modAeDebug.h"
#include "tests/aedebug/AeDebugTestSupport.h"
#include "tests/aedebug/HostFamilySeam.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;

namespace {

class CyrillicProfilePath : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (GetACP() != 1251) GTEST_SKIP() << "Wine gave this process ANSI code page " << GetACP() << ", not 1251";
        seam::SetHostWinNT(false);
        WriteProfileStringA("AeDebug", nullptr, nullptr);
    }
    void TearDown() override { WriteProfileStringA("AeDebug", nullptr, nullptr); }
};

TEST_F(CyrillicProfilePath, CyrillicCommandLineIsStoredInCodePage1251AndComesBack)
{
    const std::wstring commandLine = L"\"C:\\Отладчики\\Дебаггер.exe\" -p %ld";
    ASSERT_TRUE(SetSystemDebugger(commandLine));
    // "Отладчики" in code page 1251.
    EXPECT_NE(WinIniAeDebugLine("Debugger")->find("\xCE\xF2\xEB\xE0\xE4\xF7\xE8\xEA\xE8"), std::string::npos);
    EXPECT_EQ(GetSystemDebugger(), commandLine);
}

TEST_F(CyrillicProfilePath, ALetterCodePage1251LacksIsRefused)
{
    ASSERT_TRUE(SetSystemDebugger(L"C:\\Отладчик.exe"));
    // "é" would come back as "e".
    EXPECT_FALSE(SetSystemDebugger(L"C:\\Débogueur.exe"));
    EXPECT_EQ(GetSystemDebugger(), L"C:\\Отладчик.exe");
}

} // namespace
