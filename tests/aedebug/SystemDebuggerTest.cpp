// Switching the system's debugger in both registry views of the Wine prefix, all or nothing.
#include "aedebug/SystemDebugger.h"
#include "tests/aedebug/AeDebugTestSupport.h"
#include "tests/aedebug/HostFamilySeam.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;

// "data (TYPE)" as reg.exe shows the value, or "absent".
std::wstring Shown(const wchar_t* name, REGSAM view)
{
    const auto line = RegQueryAeDebug(name, view);
    return line ? line->data + L" (" + line->type + L")" : L"absent";
}

class SystemDebugger : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::SetHostWinNT(true);
        seam::SetWindows64Bit(true);
        for (REGSAM view : {k64, k32}) {
            PlantAeDebugText(L"Debugger", L"old.exe -p %ld", REG_SZ, view);
            PlantAeDebugText(L"Auto", L"0", REG_SZ, view);
        }
    }

    // Both views as one text, so one comparison covers every value the switch writes.
    static std::wstring BothViews()
    {
        return Shown(L"Debugger", k64) + L", " + Shown(L"Auto", k64) + L" / " + Shown(L"Debugger", k32) + L", " +
               Shown(L"Auto", k32);
    }

private:
    AeDebugKeyBackup m_native{k64};
    AeDebugKeyBackup m_wow32{k32};
};

} // namespace

TEST_F(SystemDebugger, ASwitchWritesBothViewsAndReadsBackAsMatching)
{
    struct Case {
        DebuggerChoice choice;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {{L"dbg.exe -p %ld", L"", true}, L"dbg.exe -p %ld (REG_SZ), 1 (REG_SZ) / dbg.exe -p %ld (REG_SZ), 1 (REG_SZ)"},
        {{L"x64dbg.exe -a %ld", L"x32dbg.exe -a %ld", false},
         L"x64dbg.exe -a %ld (REG_SZ), 0 (REG_SZ) / x32dbg.exe -a %ld (REG_SZ), 0 (REG_SZ)"},
        {{L"", L"", true}, L"absent, 1 (REG_SZ) / absent, 1 (REG_SZ)"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(ApplySystemDebugger(c.choice), SwitchResult::Done);
        EXPECT_EQ(BothViews(), c.expected);
        const SystemDebuggerState state = ReadSystemDebuggerState();
        ASSERT_TRUE(state.wow32);
        EXPECT_TRUE(Matches(state, c.choice)) << testing::PrintToString(c.expected);
    }
}

TEST_F(SystemDebugger, AnAbsent32BitKeyReadsEmptyAndIsCreatedByTheSwitch)
{
    RemoveAeDebugKey(k32);
    const SystemDebuggerState before = ReadSystemDebuggerState();
    ASSERT_TRUE(before.wow32);
    EXPECT_EQ(before.wow32->debugger, L"");
    EXPECT_EQ(before.native.debugger, L"old.exe -p %ld");
    EXPECT_FALSE(Matches(before, DebuggerChoice{L"old.exe -p %ld", L"", false})) << "only one view agrees";

    ASSERT_EQ(ApplySystemDebugger(DebuggerChoice{L"dbg.exe", L"", false}), SwitchResult::Done);
    EXPECT_EQ(BothViews(), L"dbg.exe (REG_SZ), 0 (REG_SZ) / dbg.exe (REG_SZ), 0 (REG_SZ)");
}

TEST_F(SystemDebugger, ARefusalInThe32BitViewPutsBackEveryValueAsItWas)
{
    // Values another tool left: other types, and a value absent in one view only.
    PlantAeDebugText(L"Debugger", L"%SystemRoot%\\dbg.exe -p %ld", REG_EXPAND_SZ, k64);
    const DWORD one = 1;
    PlantAeDebugValue(L"Auto", REG_DWORD, &one, sizeof one, k64);
    RemoveAeDebugValue(L"Debugger", k32);
    const auto native = AeDebugKeyValues(k64);
    const auto wow32 = AeDebugKeyValues(k32);

    for (const DebuggerChoice& choice : {DebuggerChoice{L"new.exe", L"", false}, DebuggerChoice{L"", L"", true}}) {
        const AeDebugKeyDacl readOnly(L"D:P(A;;KR;;;WD)", k32);
        EXPECT_EQ(ApplySystemDebugger(choice), SwitchResult::AccessDenied);
        EXPECT_EQ(AeDebugKeyValues(k64), native);
        EXPECT_EQ(AeDebugKeyValues(k32), wow32);
    }

    // A native key the switch had to create goes again.
    RemoveAeDebugKey(k64);
    {
        const AeDebugKeyDacl readOnly(L"D:P(A;;KR;;;WD)", k32);
        EXPECT_EQ(ApplySystemDebugger(DebuggerChoice{L"new.exe", L"", false}), SwitchResult::AccessDenied);
    }
    EXPECT_EQ(AeDebugKeyValues(k64), std::nullopt);
    EXPECT_EQ(AeDebugKeyValues(k32), wow32);
}

TEST_F(SystemDebugger, On32BitWindowsThereIsOneKey)
{
    seam::SetWindows64Bit(false);
    EXPECT_FALSE(ReadSystemDebuggerState().wow32);
    ASSERT_EQ(ApplySystemDebugger(DebuggerChoice{L"dbg.exe", L"dbg32.exe", true}), SwitchResult::Done);
    // The test program is 64-bit: its own view stands for the one key.
    EXPECT_EQ(BothViews(), L"dbg.exe (REG_SZ), 1 (REG_SZ) / old.exe -p %ld (REG_SZ), 0 (REG_SZ)");
}

TEST_F(SystemDebugger, OnTheOlderFamilyWinIniIsTheOnePlace)
{
    seam::SetHostWinNT(false);
    struct NoSection {
        NoSection() { WriteProfileStringA("AeDebug", nullptr, nullptr); }
        ~NoSection() { WriteProfileStringA("AeDebug", nullptr, nullptr); }
    } noSection;
    ASSERT_EQ(ApplySystemDebugger(DebuggerChoice{L"dbg.exe -p %ld", L"dbg32.exe", true}), SwitchResult::Done);
    const SystemDebuggerState state = ReadSystemDebuggerState();
    EXPECT_FALSE(state.wow32);
    EXPECT_EQ(state.native.debugger, L"dbg.exe -p %ld");
    EXPECT_TRUE(state.native.autoStart);
    EXPECT_EQ(WinIniAeDebugLine("Debugger"), "dbg.exe -p %ld");

    // WIN.INI cannot hold a line break: refused, with nothing changed.
    EXPECT_EQ(ApplySystemDebugger(DebuggerChoice{L"a.exe\r\nAuto=1", L"", false}), SwitchResult::Failed);
    EXPECT_EQ(WinIniAeDebugLine("Debugger"), "dbg.exe -p %ld");
    EXPECT_EQ(WinIniAeDebugLine("Auto"), "1");
    EXPECT_EQ(BothViews(), L"old.exe -p %ld (REG_SZ), 0 (REG_SZ) / old.exe -p %ld (REG_SZ), 0 (REG_SZ)");
}
