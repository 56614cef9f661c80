#include "catalogue/CatalogueSwap.h"

namespace jitswap {

SwapRecovery PlanSwapRecovery(CatalogueSections found)
{
    using enum SwapRepair;
    if (found.current) {
        // The section in place is whole whatever else is there: a staging section beside it
        // never reached the point of no return, a previous one is what it replaced.
        SwapRecovery recovery{{}, CatalogueSource::Current};
        if (found.staging) recovery.repairs.push_back(DeleteStaging);
        if (found.previous) recovery.repairs.push_back(DeletePrevious);
        return recovery;
    }
    if (found.staging && found.previous) {
        // Cut short between the two renames: the staging section was complete before the first.
        return {{StagingToCurrent, DeletePrevious}, CatalogueSource::Staging};
    }
    if (found.previous) return {{PreviousToCurrent}, CatalogueSource::Previous};
    // A save always has a section in place before it stages (an empty one on the first save),
    // so a staging section alone never reached the point of no return.
    if (found.staging) return {{DeleteStaging}, CatalogueSource::Nothing};
    return {{}, CatalogueSource::Nothing};
}

std::wstring_view SectionOf(CatalogueSource source)
{
    switch (source) {
    case CatalogueSource::Current:
        return kCatalogueSection;
    case CatalogueSource::Staging:
        return kCatalogueStagingSection;
    case CatalogueSource::Previous:
        return kCataloguePreviousSection;
    case CatalogueSource::Nothing:
        break;
    }
    return {};
}

} // namespace jitswap
