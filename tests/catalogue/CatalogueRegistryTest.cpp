// The catalogue against the real registry store: what it writes, and what it makes of a section
// that a user or another program shaped by hand.

#include "catalogue/CDebuggers.h"
#include "support/win32/Win32Error.h"
#include "tests/catalogue/CatalogueDescription.h"
#include "tests/catalogue/ScratchRegistryKey.h"

#include <gtest/gtest.h>

using namespace jitswap;
using namespace jitswap::testing;

namespace {

class CatalogueInRegistry : public ScratchRegistryKey {
protected:
    SettingsStoreOpener Opener()
    {
        return [] { return std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, kScratchBase); };
    }

    CDebuggers Loaded()
    {
        CDebuggers catalogue{Opener()};
        catalogue.ReadDebuggers();
        return catalogue;
    }
};

} // namespace

TEST_F(CatalogueInRegistry, AFullCatalogueOfAwkwardValuesSurvivesASaveAndALoad)
{
    CDebuggers catalogue{Opener()};
    catalogue.Add({L"Без командной строки", {L"", L"", true}});
    catalogue.Add({L"  ", {L"  spaced.exe  -p %ld  ", L"", false}});
    catalogue.Add({std::wstring(10'001, L'Ж') + L"end", {std::wstring(20'000, L'x') + L" -p %ld", L"", true}});
    catalogue.Add({L"Tab\there", {L"\"C:\\Program Files\\Dbg\\dbg.exe\" -p %ld -e %ld -g", L"", false}});
    catalogue.Add({L"%SystemRoot%", {L"%SystemRoot%\\system32\\dbg.exe", L"", true}});
    while (catalogue.Count() < CDebuggers::Capacity) {
        const auto n = std::to_wstring(catalogue.Count());
        catalogue.Add({L"Отладчик " + n, {L"dbg" + n + L".exe -p %ld", L"", catalogue.Count() % 3 == 0}});
    }
    ASSERT_TRUE(catalogue.SaveDebuggers());

    const CDebuggers loaded = Loaded();
    EXPECT_EQ(loaded.Count(), 30);
    EXPECT_TRUE(DescribeCatalogue(loaded) == DescribeCatalogue(catalogue)) << "the catalogue changed on its way";
}

TEST_F(CatalogueInRegistry, ASectionWrittenByHandLoadsPackedWithDefaultsForMissingValues)
{
    RegAdd(L"Title 0", L"REG_SZ", L"Первый");
    RegAdd(L"Command Line 0", L"REG_SZ", L"first.exe -p %ld -e %ld");
    RegAdd(L"Auto 0", L"REG_DWORD", L"1");
    RegAdd(L"Title 2", L"REG_SZ", L"No command line");
    RegAdd(L"Auto 2", L"REG_DWORD", L"1");
    RegAdd(L"Title 3", L"REG_SZ", L"");   // vacant, whatever the slot's other keys hold
    RegAdd(L"Command Line 3", L"REG_SZ", L"ghost.exe");
    RegAdd(L"Auto 3", L"REG_DWORD", L"1");
    RegAdd(L"Title 4", L"REG_SZ", L"No flag");
    RegAdd(L"Command Line 4", L"REG_SZ", L"noflag.exe");
    RegAdd(L"Title 29", L"REG_EXPAND_SZ", L"%SystemRoot%");
    RegAdd(L"Command Line 29", L"REG_EXPAND_SZ", L"%SystemRoot%\\dbg.exe");
    RegAdd(L"Auto 29", L"REG_SZ", L"True");

    CDebuggers catalogue = Loaded();
    EXPECT_EQ(DescribeCatalogue(catalogue), L"Первый|first.exe -p %ld -e %ld|1; No command line||1; "
                                            L"No flag|noflag.exe|0; %SystemRoot%|%SystemRoot%\\dbg.exe|1");

    // Saving writes the entries back packed and the rest as vacant slots of the store's own shape.
    ASSERT_TRUE(catalogue.SaveDebuggers());
    EXPECT_EQ(DescribeCatalogue(Loaded()), DescribeCatalogue(catalogue));
    EXPECT_EQ(Raw(L"Title 3")->type, RegistryType::String);
    EXPECT_EQ(Raw(L"Auto 29")->type, RegistryType::Dword);
    EXPECT_EQ(Raw(L"Command Line 4")->data.size(), sizeof(wchar_t));   // only the terminating NUL
}

TEST_F(CatalogueInRegistry, MalformedValuesDoNotEndTheLoad)
{
    RegAdd(L"Title 0", L"REG_DWORD", L"42");             // a number reads as its decimal text
    RegAdd(L"Command Line 0", L"REG_BINARY", L"0102");   // unreadable: empty
    RegAdd(L"Auto 0", L"REG_SZ", L"garbage");            // unreadable: false
    RegAdd(L"Title 1", L"REG_BINARY", L"4100");          // unreadable: a vacant slot
    RegAdd(L"Command Line 1", L"REG_SZ", L"hidden.exe");
    // A text cut short by another program: no terminating NUL and an odd byte count.
    const wchar_t cut[] = L"Cut";
    SetRaw(L"Title 2", REG_SZ, cut, 3 * sizeof(wchar_t) + 1);
    RegAdd(L"Auto 2", L"REG_DWORD", L"4294967295");
    const WORD shortNumber = 1;                           // a DWORD of two bytes
    SetRaw(L"Title 3", REG_DWORD, &shortNumber, sizeof shortNumber);
    RegAdd(L"Title 4", L"REG_SZ", L"Last");

    CDebuggers catalogue{Opener()};
    EXPECT_NO_THROW(catalogue.ReadDebuggers());
    EXPECT_EQ(DescribeCatalogue(catalogue), L"42||0; Cut||1; Last||0");
}

TEST_F(CatalogueInRegistry, ASectionThatIsAbsentLoadsEmptyAndIsNotCreated)
{
    EXPECT_EQ(Loaded().Count(), 0);
    EXPECT_FALSE(KeyExists(kScratchBase));
}

// Cut short between the two renames of a save: the new catalogue staged, the old one set aside.
// A repair the registry refuses half-way loses neither: the next load finishes it.
TEST_F(CatalogueInRegistry, ARepairRefusedHalfWayKeepsBothCataloguesForTheNextLoad)
{
    constexpr wchar_t kStaging[] = L"Software\\Quarvel\\JitswapTest\\Debuggers.new";
    constexpr wchar_t kPrevious[] = L"Software\\Quarvel\\JitswapTest\\Debuggers.old";
    store.WriteText(L"Debuggers.new", L"Title 0", L"New");
    store.WriteText(L"Debuggers.old", L"Title 0", L"Old");
    SetSectionAccess(KEY_READ | WRITE_DAC, kStaging);  // its rename is refused, the deletion of the old one is not

    EXPECT_EQ(DescribeCatalogue(Loaded()), L"New||0");
    EXPECT_TRUE(KeyExists(kPrevious)) << "the old catalogue goes only once the new one is in place";
    EXPECT_EQ(DescribeCatalogue(Loaded()), L"New||0");

    SetSectionAccess(KEY_ALL_ACCESS, kStaging);
    EXPECT_EQ(DescribeCatalogue(Loaded()), L"New||0");
    EXPECT_TRUE(KeyExists(kScratchSection));
    EXPECT_FALSE(KeyExists(kStaging));
    EXPECT_FALSE(KeyExists(kPrevious));
}

TEST_F(CatalogueInRegistry, ARefusedSaveIsReportedAndLeavesTheStoredCatalogueAndNothingElse)
{
    CDebuggers catalogue{Opener()};
    catalogue.Add({L"Stored", {L"stored.exe", L"", true}});
    ASSERT_TRUE(catalogue.SaveDebuggers());

    SetSectionAccess(KEY_READ | WRITE_DAC | DELETE);
    catalogue.Replace(0, {L"Changed", {L"stored.exe", L"", true}});
    EXPECT_FALSE(catalogue.SaveDebuggers());
    EXPECT_EQ(DescribeCatalogue(Loaded()), L"Stored|stored.exe|1");
    EXPECT_FALSE(KeyExists(L"Software\\Quarvel\\JitswapTest\\Debuggers.new"));
    EXPECT_FALSE(KeyExists(L"Software\\Quarvel\\JitswapTest\\Debuggers.old"));

    SetSectionAccess(KEY_SET_VALUE | WRITE_DAC | DELETE);
    EXPECT_THROW(catalogue.ReadDebuggers(), Win32Error);
    EXPECT_EQ(catalogue.Count(), 0);
}
