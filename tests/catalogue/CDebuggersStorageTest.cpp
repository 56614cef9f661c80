#include "catalogue/CDebuggers.h"
#include "tests/catalogue/CatalogueDescription.h"
#include "tests/catalogue/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

using namespace jitswap;
using namespace jitswap::testing;

namespace {

class CDebuggersStorage : public ::testing::Test {
protected:
    void Store(const std::wstring& key, MemoryValue value)
    {
        settings.values[{L"Debuggers", key}] = std::move(value);
    }

    void StoreSlot(int slot, MemoryValue title, MemoryValue commandLine, MemoryValue autoStart)
    {
        const auto n = std::to_wstring(slot);
        Store(L"Title " + n, std::move(title));
        Store(L"Command Line " + n, std::move(commandLine));
        Store(L"Auto " + n, std::move(autoStart));
    }

    // The slot's three stored values as "title|command line|1", "?" for an absent one.
    std::wstring Slot(int slot) const
    {
        const auto n = std::to_wstring(slot);
        auto get = [&](const std::wstring& key) -> std::wstring {
            const auto found = settings.values.find({L"Debuggers", key});
            if (found == settings.values.end()) return L"?";
            if (const auto* text = std::get_if<std::wstring>(&found->second)) return *text;
            if (const auto* flag = std::get_if<bool>(&found->second)) return *flag ? L"1" : L"0";
            return L"unreadable";
        };
        return get(L"Title " + n) + L"|" + get(L"Command Line " + n) + L"|" + get(L"Auto " + n);
    }

    std::vector<std::wstring> Writes() const
    {
        std::vector<std::wstring> writes;
        for (const std::wstring& operation : settings.log)
            if (operation.starts_with(L"write ")) writes.push_back(operation);
        return writes;
    }

    // The sections the store holds, in name order.
    std::wstring Sections() const
    {
        std::set<std::wstring> names(settings.emptySections);
        for (const auto& [key, value] : settings.values) names.insert(key.first);
        std::wstring joined;
        for (const std::wstring& name : names) joined += (joined.empty() ? L"" : L" ") + name;
        return joined;
    }

    static std::vector<std::wstring> AllWritesInSlotOrder()
    {
        std::vector<std::wstring> writes;
        for (int slot = 0; slot < 30; ++slot)
            for (const wchar_t* prefix :
                 {L"write Title ", L"write Command Line ", L"write Auto ", L"write Command Line (32-bit) "})
                writes.push_back(prefix + std::to_wstring(slot));
        return writes;
    }

    MemorySettings settings;
    CDebuggers catalogue{settings.Opener()};
};

} // namespace

TEST_F(CDebuggersStorage, FirstRunLoadsNothingAndReadsNothing)
{
    catalogue.Add({L"Held before", {L"", L"", false}});
    catalogue.ReadDebuggers();
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(settings.log, (std::vector<std::wstring>{L"exists Debuggers", L"exists Debuggers.new",
                                                        L"exists Debuggers.old"}));
    EXPECT_EQ(settings.opens, 1);
}

TEST_F(CDebuggersStorage, ACatalogueCountsAsStoredFromItsFirstSaveEvenEmpty)
{
    EXPECT_FALSE(catalogue.IsStored());
    ASSERT_TRUE(catalogue.SaveDebuggers());
    EXPECT_TRUE(catalogue.IsStored());
    EXPECT_EQ(catalogue.Count(), 0);
}

TEST_F(CDebuggersStorage, LoadPacksOccupiedSlotsAndSaveWritesThemBackPacked)
{
    StoreSlot(0, L"First", L"first.exe -p %ld", true);
    StoreSlot(1, L"", L"ghost.exe", true);     // vacant whatever else it holds
    Store(L"Title 2", L"  ");                  // blanks are a title; the other two keys are absent
    StoreSlot(29, L"Отладчик", L"C:\\Отладчик\\dbg.exe", true);

    catalogue.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(catalogue),
              L"First|first.exe -p %ld|1;   ||0; Отладчик|C:\\Отладчик\\dbg.exe|1");

    settings.log.clear();
    ASSERT_TRUE(catalogue.SaveDebuggers());
    EXPECT_EQ(Writes(), AllWritesInSlotOrder());
    EXPECT_EQ(Slot(0), L"First|first.exe -p %ld|1");
    EXPECT_EQ(Slot(1), L"  ||0");
    EXPECT_EQ(Slot(2), L"Отладчик|C:\\Отладчик\\dbg.exe|1");
    EXPECT_EQ(Slot(29), L"||0");
    EXPECT_EQ(settings.opens, 2);
}

TEST_F(CDebuggersStorage, SaveAfterShrinkingVacatesTheStaleSlots)
{
    for (const wchar_t* title : {L"A", L"B", L"C", L"D", L"E"}) catalogue.Add({title, {title, L"", true}});
    ASSERT_TRUE(catalogue.SaveDebuggers());
    catalogue.Remove(3);
    catalogue.Remove(1);
    ASSERT_TRUE(catalogue.SaveDebuggers());
    EXPECT_EQ(Slot(3), L"||0");
    EXPECT_EQ(Slot(4), L"||0");

    CDebuggers reloaded{settings.Opener()};
    reloaded.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(reloaded), L"A|A|1; C|C|1; E|E|1");
}

TEST_F(CDebuggersStorage, ASlotWhoseTitleWasEmptiedInTheStoreIsVacantOnReload)
{
    catalogue.Add({L"A", {L"a.exe", L"", false}});
    catalogue.Add({L"B", {L"b.exe", L"", true}});
    catalogue.Add({L"C", {L"c.exe", L"", false}});
    ASSERT_TRUE(catalogue.SaveDebuggers());
    // As a hand edit would leave it: the catalogue itself has no entry without a title.
    Store(L"Title 1", std::wstring());
    EXPECT_EQ(Slot(1), L"|b.exe|1");

    catalogue.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|0; C|c.exe|0");
}

TEST_F(CDebuggersStorage, ARefusedSaveReportsItAndLeavesTheStoredCatalogueAsItWas)
{
    for (int slot = 0; slot < 4; ++slot) StoreSlot(slot, L"old", L"old.exe", true);
    const auto stored = settings.values;
    catalogue.Add({L"A", {L"a.exe", L"", false}});
    for (const wchar_t* refused : {L"Title 0", L"Command Line 1", L"Auto 29", L"Debuggers"}) {
        settings.failingKeys = {refused};
        EXPECT_FALSE(catalogue.SaveDebuggers()) << refused;
        EXPECT_EQ(settings.values, stored) << refused;
        EXPECT_EQ(Sections(), L"Debuggers") << refused;
    }
    settings.failingKeys.clear();
    settings.failToOpen = true;
    EXPECT_FALSE(catalogue.SaveDebuggers());
    EXPECT_EQ(settings.values, stored);
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|0");
}

// The process may end after any single operation of a save, and again after any operation of the
// load that repairs it: every later load finds the whole old or the whole new catalogue, and
// leaves the stored layout as a finished save does.
TEST_F(CDebuggersStorage, ASaveCutShortAfterAnyOperationLoadsWholeOldOrWholeNew)
{
    CDebuggers older{settings.Opener()}, newer{settings.Opener()};
    for (const wchar_t* title : {L"A", L"B", L"C"}) older.Add({title, {std::wstring(title) + L".exe", L"", true}});
    for (const wchar_t* title : {L"V", L"W", L"X", L"Y", L"Z"}) newer.Add({title, {std::wstring(title) + L".exe", L"", false}});
    const std::wstring wholeOld = DescribeCatalogue(older), wholeNew = DescribeCatalogue(newer);
    auto storeOld = [&] {
        settings = MemorySettings{};
        ASSERT_TRUE(older.SaveDebuggers());
    };
    storeOld();
    const auto finishedLayout = settings.values;

    int sawOld = 0, sawNew = 0;
    for (int cut = 0;; ++cut) {
        storeOld();
        settings.operationsBeforeFailure = cut;
        const bool saved = newer.SaveDebuggers();
        for (int loadCut = 0; loadCut < 8; ++loadCut) {
            const auto leftBySave = settings.values;
            const auto emptyLeftBySave = settings.emptySections;
            settings.operationsBeforeFailure = loadCut;
            try {
                catalogue.ReadDebuggers();
            } catch (const std::runtime_error&) {
            }
            settings.operationsBeforeFailure.reset();
            catalogue.ReadDebuggers();
            const std::wstring loaded = DescribeCatalogue(catalogue);
            ASSERT_TRUE(loaded == wholeOld || loaded == wholeNew) << "cut after " << cut << ", " << loadCut;
            if (saved) {
                ASSERT_EQ(loaded, wholeNew) << "a save reported as done must be the stored one";
            }
            ASSERT_EQ(Sections(), L"Debuggers");
            (loaded == wholeOld ? sawOld : sawNew) += 1;
            settings.values = leftBySave;
            settings.emptySections = emptyLeftBySave;
        }
        if (saved) break;
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);

    // A finished save leaves nothing but the section every earlier version wrote.
    storeOld();
    ASSERT_TRUE(newer.SaveDebuggers());
    EXPECT_EQ(Sections(), L"Debuggers");
    EXPECT_EQ(settings.values.size(), finishedLayout.size());
}

TEST_F(CDebuggersStorage, ALoadThatMayNotRepairReadsTheWholeCatalogueWhereTheCutLeftIt)
{
    struct Case {
        const wchar_t* sections;   // which of current, staging and previous the store holds
        const wchar_t* loaded;
    };
    // The stored catalogue is the one whose title names its section.
    const Case cases[] = {
        {L"", L""},
        {L"current", L"current"},
        {L"current staging", L"current"},
        {L"current previous", L"current"},
        {L"current staging previous", L"current"},
        {L"staging previous", L"staging"},
        {L"previous", L"previous"},
        {L"staging", L""},
    };
    for (const bool mayRepair : {true, false}) {
        for (const Case& each : cases) {
            settings = MemorySettings{};
            const std::wstring sections = each.sections;
            if (sections.find(L"current") != std::wstring::npos) Store(L"Title 0", L"current");
            if (sections.find(L"staging") != std::wstring::npos) settings.values[{L"Debuggers.new", L"Title 0"}] = L"staging";
            if (sections.find(L"previous") != std::wstring::npos) settings.values[{L"Debuggers.old", L"Title 0"}] = L"previous";
            settings.refuseSectionChanges = !mayRepair;

            catalogue.ReadDebuggers();
            EXPECT_EQ(catalogue.Entry(0).title, each.loaded) << sections << (mayRepair ? "" : ", refused");
            if (mayRepair) {
                EXPECT_EQ(Sections(), *each.loaded ? L"Debuggers" : L"") << sections;
            }
        }
    }
}

// A list edited from `earlier` while another program stored more: the save keeps what it added.
TEST_F(CDebuggersStorage, ASaveKeepsTheEntriesStoredSinceItsCatalogueWasRead)
{
    const auto letters = [&](const std::wstring& titles) {
        CDebuggers built{settings.Opener()};
        for (const wchar_t title : titles) built.Add({std::wstring(1, title), {std::wstring(1, title) + L".exe", L"", false}});
        return built;
    };
    const std::wstring full(30, L'E');
    struct Case {
        const wchar_t *earlier, *storedSince, *edited, *saved, *notFitting;
    };
    const Case cases[] = {
        {L"AB", L"ABK", L"B", L"B|B.exe|0; K|K.exe|0", L""},            // the user's removal stands
        {L"AB", L"B", L"AB", L"A|A.exe|0; B|B.exe|0", L""},             // so does another program's
        {L"A", L"AKK", L"AK", L"A|A.exe|0; K|K.exe|0", L""},            // held already, once is enough
        {L"A", L"AKL", full.c_str(), nullptr, L"K\nL"},   // no room: nothing saved
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.storedSince));
        settings = MemorySettings{};
        ASSERT_TRUE(letters(c.storedSince).SaveDebuggers());
        CDebuggers edited = letters(c.edited);
        const std::wstring before = DescribeCatalogue(edited);
        std::wstring notFitting;
        EXPECT_EQ(edited.SaveKeepingEntriesAddedSince(letters(c.earlier), false, notFitting), c.saved != nullptr);
        EXPECT_EQ(notFitting, c.notFitting);
        EXPECT_EQ(DescribeCatalogue(edited), before) << "the list itself stays the user's";
        catalogue.ReadDebuggers();
        EXPECT_EQ(DescribeCatalogue(catalogue), c.saved ? c.saved : DescribeCatalogue(letters(c.storedSince)));
    }
    // Told that they do not fit, the user may save without them.
    std::wstring notFitting;
    CDebuggers thirty = letters(full);
    EXPECT_TRUE(thirty.SaveKeepingEntriesAddedSince(letters(L"A"), true, notFitting));
    catalogue.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(catalogue), DescribeCatalogue(thirty));
}

TEST_F(CDebuggersStorage, LoadFailureKeepsOnlyTheEntriesReadCompletelyBeforeIt)
{
    for (int slot = 0; slot < 4; ++slot) StoreSlot(slot, L"T" + std::to_wstring(slot), L"", false);
    settings.failingKeys = {L"Auto 2"};
    catalogue.Add({L"Held before", {L"", L"", false}});
    EXPECT_THROW(catalogue.ReadDebuggers(), std::runtime_error);
    EXPECT_EQ(DescribeCatalogue(catalogue), L"T0||0; T1||0");

    settings.failToOpen = true;
    EXPECT_THROW(catalogue.ReadDebuggers(), std::runtime_error);
    EXPECT_EQ(catalogue.Count(), 0);
}

TEST_F(CDebuggersStorage, UnreadableValuesDoNotEndTheLoad)
{
    StoreSlot(0, Unreadable{}, L"hidden.exe", true);   // an unreadable title is a vacant slot
    StoreSlot(1, L"T1", Unreadable{}, Unreadable{});
    StoreSlot(2, L"T2", true, L"yes");                 // values of the other kind
    StoreSlot(3, L"T3", L"t3.exe", true);
    EXPECT_NO_THROW(catalogue.ReadDebuggers());
    EXPECT_EQ(DescribeCatalogue(catalogue), L"T1||0; T2||0; T3|t3.exe|1");
}

TEST_F(CDebuggersStorage, TheCommandLineFor32BitProgramsIsAFourthValueOldCataloguesDoWithout)
{
    // Stored by the version before it: three values a slot, read as "the same in both views".
    StoreSlot(0, L"Old", L"old.exe -p %ld", true);
    StoreSlot(1, L"Both", L"x64dbg.exe -a %ld -e %ld", true);
    Store(L"Command Line (32-bit) 1", std::wstring(L"x32dbg.exe -a %ld -e %ld"));
    catalogue.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(catalogue),
              L"Old|old.exe -p %ld|1; Both|x64dbg.exe -a %ld -e %ld|1|32:x32dbg.exe -a %ld -e %ld");

    catalogue.Add({L"New", {L"new.exe", L"new32.exe", false}});
    catalogue.Replace(0, {L"Old", {L"old.exe -p %ld", L"old32.exe", true}});
    catalogue.Replace(1, {L"Both", {L"x64dbg.exe -a %ld -e %ld", L"", true}});
    EXPECT_FALSE(catalogue.Replace(3, {L"Out", {L"", L"out of range", false}}));
    ASSERT_TRUE(catalogue.SaveDebuggers());
    // The three values the previous version reads keep their meaning.
    EXPECT_EQ(Slot(1), L"Both|x64dbg.exe -a %ld -e %ld|1");
    EXPECT_EQ(std::get<std::wstring>(settings.values.at({L"Debuggers", L"Command Line (32-bit) 1"})), L"");
    EXPECT_EQ(std::get<std::wstring>(settings.values.at({L"Debuggers", L"Command Line (32-bit) 29"})), L"");

    CDebuggers reloaded{settings.Opener()};
    reloaded.ReadDebuggers();
    EXPECT_EQ(DescribeCatalogue(reloaded),
              L"Old|old.exe -p %ld|1|32:old32.exe; Both|x64dbg.exe -a %ld -e %ld|1; New|new.exe|0|32:new32.exe");
    EXPECT_EQ(reloaded.Entry(-1).choice.commandLine32, L"");
}
