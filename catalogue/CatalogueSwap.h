#pragma once
// How a whole catalogue replaces the stored one without a moment at which a half-written one
// could be read. A save writes the new catalogue into a staging section, then renames the stored
// section aside and the staging section into its place, and finally deletes the one set aside.
// The first rename is the point of no return: before it the old catalogue is the stored one,
// after it the new one. A save cut short anywhere leaves a combination of the three sections
// from which every later load or save finishes the swap or discards it.

#include <string_view>
#include <vector>

namespace jitswap {

inline constexpr std::wstring_view kCatalogueSection = L"Debuggers";
inline constexpr std::wstring_view kCatalogueStagingSection = L"Debuggers.new";
inline constexpr std::wstring_view kCataloguePreviousSection = L"Debuggers.old";

// Which of the three sections the store holds.
struct CatalogueSections {
    bool current = false;
    bool staging = false;
    bool previous = false;
};

enum class SwapRepair {
    DeleteStaging,       // a staging section written before the point of no return, or left over
    DeletePrevious,      // the replaced catalogue, once another one is in place
    StagingToCurrent,    // finishes a swap that passed the point of no return
    PreviousToCurrent,   // puts back the only whole catalogue left
};

enum class CatalogueSource { Current, Staging, Previous, Nothing };

struct SwapRecovery {
    std::vector<SwapRepair> repairs;  // in this order
    // Where the whole catalogue is while the repairs have not been made.
    CatalogueSource source = CatalogueSource::Nothing;
};

SwapRecovery PlanSwapRecovery(CatalogueSections found);

std::wstring_view SectionOf(CatalogueSource source);

} // namespace jitswap
