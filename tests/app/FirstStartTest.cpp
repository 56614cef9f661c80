// The first start's catalogue, against the prefix's real AeDebug setting and a scratch store.

#include "aedebug/ExecutableSafety.h"
#include "aedebug/SystemDebugger.h"
#include "app/FirstStart.h"
#include "catalogue/CDebuggers.h"
#include "support/process/ExecutablePath.h"
#include "support/registry/RegistrySettingsStore.h"
#include "tests/catalogue/CatalogueDescription.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

using namespace jitswap;
using jitswap::testing::DescribeCatalogue;

namespace {

constexpr wchar_t kScratchBase[] = L"Software\\Quarvel\\JitswapFirstStartTest";

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            GTEST_SKIP() << "expects Wine's own debugger to be found";
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchBase);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchBase);
        ApplySystemDebugger(m_before);
    }

    static std::unique_ptr<SettingsStore> OpenScratch()
    {
        return std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, kScratchBase);
    }
    static std::wstring Stored()
    {
        CDebuggers catalogue(OpenScratch);
        catalogue.ReadDebuggers();
        return DescribeCatalogue(catalogue);
    }

    DebuggerChoice m_before = ChoiceFromState(ReadSystemDebuggerState());
    // After the debuggers found: this program itself, asking at the crash, but only from a folder
    // no other account can change (a build tree under /tmp is not one).
    const std::wstring m_chooser = FindUnsafeWriter(ExecutablePath())
                                       ? L""
                                       : L"; Спросить при сбое|\"" + ExecutablePath() + L"\" /crashed %ld %ld|1";
};

} // namespace

TEST_F(FirstStart, WinesOwnSettingBecomesOneEntryAndAnEmptiedCatalogueStaysEmpty)
{
    // As a fresh prefix has it.
    ASSERT_EQ(ApplySystemDebugger({L"winedbg --auto %ld %ld", L"", true}), SwitchResult::Done);
    SeedCatalogueOnFirstStart(OpenScratch);
    EXPECT_EQ(Stored(), L"Отладчик Wine|winedbg --auto %ld %ld|1; Без отладчика||0" + m_chooser);

    CDebuggers emptied(OpenScratch);
    ASSERT_TRUE(emptied.SaveDebuggers());
    SeedCatalogueOnFirstStart(OpenScratch);
    EXPECT_EQ(Stored(), L"") << "a catalogue the user emptied was filled again";
}

TEST_F(FirstStart, AnUnknownSettingIsKeptFirst)
{
    ASSERT_EQ(ApplySystemDebugger({L"\"C:\\Tools\\dumper.exe\" -p %ld", L"x32dump.exe %ld", false}),
              SwitchResult::Done);
    SeedCatalogueOnFirstStart(OpenScratch);
    EXPECT_EQ(Stored(), L"Прежний: dumper.exe|\"C:\\Tools\\dumper.exe\" -p %ld|0|32:x32dump.exe %ld; "
                        L"Отладчик Wine|winedbg --auto %ld %ld|1; Без отладчика||0" + m_chooser);
}
