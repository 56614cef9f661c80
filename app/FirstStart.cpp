#include "app/FirstStart.h"

#include "aedebug/ExecutableSafety.h"
#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"
#include "catalogue/FirstCatalogue.h"
#include "catalogue/PresetDetection.h"
#include "catalogue/PreviousSetting.h"

#include <utility>

namespace jitswap {

void SeedCatalogueOnFirstStart(const SettingsStoreOpener& openStore)
{
    CDebuggers catalogue(openStore);
    if (catalogue.IsStored()) return;

    const DebuggerEntry system = PreviousSettingEntry(ReadSystemDebuggerState());

    const DetectionPlaces places = ThisMachine();
    std::vector<DebuggerEntry> found;
    for (const PresetKind kind : kAllPresets) {
        const PresetRow& row = PresetRowOf(kind);
        if (row.dumpFolderTitle) continue;
        const auto location = FindPreset(kind, places);
        if (!location || (row.seededOnlyWhenSafe && FindUnsafeWriter(location->executable))) continue;
        found.push_back(PresetEntry(kind, *location));
    }
    for (DebuggerEntry& entry : FirstCatalogue(system, found)) catalogue.Add(std::move(entry));
    // A save that fails leaves no catalogue stored, so the next start tries again.
    (void)catalogue.SaveDebuggers();
}

} // namespace jitswap
