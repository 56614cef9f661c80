// Saves ended the hardest way there is, TerminateProcess (no unwinding, no handler runs), at
// moments spread over the save: the next load always finds one whole catalogue.

#include "catalogue/CDebuggers.h"
#include "support/win32/UniqueHandle.h"
#include "tests/catalogue/CatalogueDescription.h"
#include "tests/catalogue/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>

using namespace jitswap;
using namespace jitswap::testing;

namespace {

constexpr wchar_t kSavingEvent[] = L"Local\\JitswapTestKilledSave";

SettingsStoreOpener ScratchOpener()
{
    return [] { return std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, kScratchBase); };
}

CDebuggers Lettered(wchar_t letter, int count)
{
    CDebuggers catalogue{ScratchOpener()};
    const std::wstring name(3, letter);
    for (int i = 0; i < count; ++i) catalogue.Add({name + std::to_wstring(i), {name + L".exe -p %ld", L"", i % 2 == 0}});
    return catalogue;
}

class KilledSave : public ScratchRegistryKey {};

} // namespace

// The saving process of the test below; it never ends by itself.
TEST(KilledSaveChild, DISABLED_SavesOverAndOverUntilKilled)
{
    const CDebuggers first = Lettered(L'A', 30), second = Lettered(L'B', 7);
    const UniqueHandle saving(OpenEventW(EVENT_MODIFY_STATE, FALSE, kSavingEvent));
    ASSERT_TRUE(saving);
    for (;;) {
        ASSERT_TRUE(first.SaveDebuggers());
        SetEvent(saving.get());
        ASSERT_TRUE(second.SaveDebuggers());
    }
}

TEST_F(KilledSave, APlainKillAtAnyMomentOfASaveLeavesAWholeCatalogue)
{
    const std::wstring wholeFirst = DescribeCatalogue(Lettered(L'A', 30));
    const std::wstring wholeSecond = DescribeCatalogue(Lettered(L'B', 7));
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const UniqueHandle saving(CreateEventW(nullptr, TRUE, FALSE, kSavingEvent));
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const UniqueHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr));

    for (int round = 0; round < 20; ++round) {
        ResetEvent(saving.get());
        std::wstring commandLine = L"\"" + std::wstring(self) +
                                   L"\" --gtest_also_run_disabled_tests "
                                   L"--gtest_filter=KilledSaveChild.DISABLED_SavesOverAndOverUntilKilled";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = nul.get();
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                   nullptr, &startup, &started));
        const UniqueHandle process(started.hProcess), thread(started.hThread);
        ASSERT_EQ(WaitForSingleObject(saving.get(), 60'000), WAIT_OBJECT_0) << "the saving process did not start";
        // A save takes a few milliseconds: the pauses put the kill at a different point each round.
        Sleep(static_cast<DWORD>(round % 7));
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), INFINITE);

        CDebuggers loaded{ScratchOpener()};
        loaded.ReadDebuggers();
        const std::wstring found = DescribeCatalogue(loaded);
        ASSERT_TRUE(found == wholeFirst || found == wholeSecond) << "round " << round << ": " << loaded.Count();
        EXPECT_FALSE(KeyExists(L"Software\\Quarvel\\JitswapTest\\Debuggers.new")) << round;
        EXPECT_FALSE(KeyExists(L"Software\\Quarvel\\JitswapTest\\Debuggers.old")) << round;
    }
}
