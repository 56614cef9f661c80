#include "app/FirstStart.h"

#include "aedebug/ExecutableSafety.h"
#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"
#include "catalogue/FirstCatalogue.h"
#include "catalogue/PresetDetection.h"
#include "catalogue/PreviousSetting.h"
#include "support/process/ExecutablePath.h"

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
        // Where ProcDump writes its dumps is the user's choice, never made for them.
        if (kind == PresetKind::ProcDump) continue;
        // The chooser would run with a crashed program's rights, so only from a folder that is safe.
        if (kind == PresetKind::CrashChooser && FindUnsafeWriter(ExecutablePath())) continue;
        if (const auto location = FindPreset(kind, places)) found.push_back(PresetEntry(kind, *location));
    }
    for (DebuggerEntry& entry : FirstCatalogue(system, found)) catalogue.Add(std::move(entry));
    // A save that fails leaves no catalogue stored, so the next start tries again.
    (void)catalogue.SaveDebuggers();
}

} // namespace jitswap
