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
    catalogue.Add({L"A", {L"a.exe", L"", true}});
    catalogue.Add({L"B", {L"b.exe", L"", false}});
    catalogue.Add({L"C", {L"c.exe", L"", true}});
    return catalogue;
}

} // namespace

TEST(CDebuggers, ReadsOutOfRangeAreEmpty)
{
    const CDebuggers empty{SettingsStoreOpener{}};
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.Entry(0).title, L"");
    EXPECT_FALSE(empty.Entry(0).choice.autoStart);

    const auto catalogue = ThreeEntries();
    for (const auto index : kOutOfRange) {
        EXPECT_EQ(catalogue.Entry(index).title, L"") << index;
        EXPECT_EQ(catalogue.Entry(index).choice.commandLine, L"") << index;
        EXPECT_FALSE(catalogue.Entry(index).choice.autoStart) << index;
    }
}

TEST(CDebuggers, AddAppendsUntilFullAndRefusesOnlyAFullCatalogueOrAnEmptyTitle)
{
    CDebuggers catalogue{SettingsStoreOpener{}};
    EXPECT_FALSE(catalogue.Add({L"", {L"x.exe", L"", true}}));
    EXPECT_EQ(catalogue.Count(), 0);
    // A blank title is not empty, an empty command line is allowed, and duplicates are kept.
    EXPECT_TRUE(catalogue.Add({L" ", {L"", L"", false}}));
    EXPECT_TRUE(catalogue.Add({L"Same", {L"same.exe", L"", true}}));
    EXPECT_TRUE(catalogue.Add({L"Same", {L"same.exe", L"", true}}));
    EXPECT_EQ(DescribeCatalogue(catalogue), L" ||0; Same|same.exe|1; Same|same.exe|1");

    while (catalogue.Count() < CDebuggers::Capacity) ASSERT_TRUE(catalogue.Add({L"Filler", {L"", L"", false}}));
    EXPECT_FALSE(catalogue.Add({L"One too many", {L"", L"", false}}));
    EXPECT_FALSE(catalogue.Add({L"", {L"", L"", false}}));
    EXPECT_EQ(catalogue.Count(), 30);

    ASSERT_TRUE(catalogue.Remove(0));
    EXPECT_TRUE(catalogue.Add({L"Last", {L"last.exe", L"", true}}));
    EXPECT_EQ(catalogue.Entry(0).title, L"Same");
    EXPECT_EQ(catalogue.Entry(29).title, L"Last");
    EXPECT_EQ(catalogue.Entry(29).choice.commandLine, L"last.exe");
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

TEST(CDebuggers, ReplaceChangesOneWholeEntryInPlaceAndRefusesAnEmptyTitleOrAnIndexOutOfRange)
{
    auto catalogue = ThreeEntries();
    EXPECT_TRUE(catalogue.Replace(2, {L"Z", {L"z.exe", L"z32.exe", false}}));  // the last index
    EXPECT_TRUE(catalogue.Replace(1, {L"Y", {L"b.exe", L"", true}}));          // a middle index
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|1; Y|b.exe|1; Z|z.exe|0|32:z32.exe");
    EXPECT_EQ(catalogue.IndexOf({L"Y", {L"b.exe", L"", true}}), 1);
    EXPECT_EQ(catalogue.IndexOf({L"Y", {L"b.exe", L"b.exe", true}}), std::nullopt) << "every field counts";

    // As Add: no entry of the catalogue has an empty title.
    EXPECT_FALSE(catalogue.Replace(0, {L"", {L"x.exe", L"", false}}));
    for (const auto index : kOutOfRange) EXPECT_FALSE(catalogue.Replace(index, {L"X", {L"x.exe", L"", false}}));
    EXPECT_EQ(DescribeCatalogue(catalogue), L"A|a.exe|1; Y|b.exe|1; Z|z.exe|0|32:z32.exe");
}
