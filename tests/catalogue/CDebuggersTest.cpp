#include "catalogue/CDebuggers.h"
#include "tests/catalogue/CatalogueDescription.h"

#include <gtest/gtest.h>

#include <limits>

using namespace jitswap;
using jitswap::testing::DescribeCatalogue;

namespace {

// Out of range for the three entries of ThreeEntries().
constexpr std::int32_t kOutOfRange[] = {-1, 3, std::numeric_limits<std::int32_t>::max(),
                                        std::numeric_limits<std::int32_t>::min()};

CDebuggers ThreeEntries()
{
    CDebuggers catalogue{SettingsStoreOpener{}};
    catalogue.Add(L"A", L"a.exe", true);
    catalogue.Add(L"B", L"b.exe", false);
    catalogue.Add(L"C", L"c.exe", true);
    return catalogue;
}

} // namespace

TEST(CDebuggers, ReadsOutOfRangeAreEmpty)
{
    const CDebuggers empty{SettingsStoreOpener{}};
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.Title(0), L"");
    EXPECT_FALSE(empty.Auto(0));

    const auto catalogue = ThreeEntries();
    for (const auto index : kOutOfRange) {
        EXPECT_EQ(catalogue.Title(index), L"") << index;
        EXPECT_EQ(catalogue.CommandLine(index), L"") << index;
        EXPECT_FALSE(catalogue.Auto(index)) << index;
    }
}

TEST(CDebuggers, AddAppendsUntilFullAndRefusesOnlyAFullCatalogueOrAnEmptyTitle)
{
    CDebuggers catalogue{SettingsStoreOpener{}};
    EXPECT_FALSE(catalogue.Add(L"", L"x.exe", true));
    EXPECT_EQ(catalogue.Count(), 0);
    // A blank title is not empty, an empty command line is allowed, and duplicates are kept.
    EXPECT_TRUE(catalogue.Add(L" ", L"", false));
    EXPECT_TRUE(catalogue.Add(L"Same", L"same.exe", true));
    EXPECT_TRUE(catalogue.Add(L"Same", L"same.exe", true));
    EXPECT_EQ(DescribeCatalogue(catalogue), L" ||0; Same|same.exe|1; Same|same.exe|1");

    while (catalogue.Count() < CDebuggers::Capacity) ASSERT_TRUE(catalogue.Add(L"Filler", L"", false));
    EXPECT_FALSE(catalogue.Add(L"One too many", L"", false));
    EXPECT_FALSE(catalogue.Add(L"", L"", false));
    EXPECT_EQ(catalogue.Count(), 30);

    ASSERT_TRUE(catalogue.Remove(0));
    EXPECT_TRUE(catalogue.Add(L"Last", L"last.exe", true));
    EXPECT_EQ(catalogue.Title(0), L"Same");
    EXPECT_EQ(catalogue.Title(29), L"Last");
    EXPECT_EQ(catalogue.CommandLine(29), L"last.exe");
}

TEST(CDebuggers, RemoveClosesTheGapAndRefusesIndicesOutOfRange)
{
    auto catalogue = ThreeEntries();
    for (const auto index : kOutOfRange) EXPECT_FALSE(catalogue.Remove(index)) << index;
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|1; B|b.exe|0; C|c.exe|1");

    EXPECT_TRUE(catalogue.Remove(0));
    EXPECT_EQ(DescribeCatalogue(catalogue), L"B|b.exe|0; C|c.exe|1");
    EXPECT_TRUE(catalogue.Remove(1));
    EXPECT_EQ(DescribeCatalogue(catalogue), L"B|b.exe|0");
}

TEST(CDebuggers, FieldWritesReplaceOneFieldAndMoveNothing)
{
    auto catalogue = ThreeEntries();
    catalogue.SetTitle(2, L"Z");   // the last index
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|1; B|b.exe|0; Z|c.exe|1");
    catalogue.SetCommandLine(2, L"z.exe");
    catalogue.SetAuto(2, false);
    catalogue.SetTitle(1, L"Y");   // a middle index
    catalogue.SetAuto(1, true);
    catalogue.SetCommandLine(0, L"");
    catalogue.SetTitle(0, L"");    // accepted in memory; the slot is vacant once saved
    EXPECT_EQ(DescribeCatalogue(catalogue), L"||1; Y|b.exe|1; Z|z.exe|0");
}

TEST(CDebuggers, FieldWritesOutOfRangeChangeNothing)
{
    auto catalogue = ThreeEntries();
    for (const auto index : kOutOfRange) {
        catalogue.SetTitle(index, L"X");
        catalogue.SetCommandLine(index, L"x.exe");
        catalogue.SetAuto(index, false);
    }
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|1; B|b.exe|0; C|c.exe|1");
}
