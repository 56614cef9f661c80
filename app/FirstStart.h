#pragma once
// The first start's catalogue, so that the first tray menu is not empty.

#include "support/registry/SettingsStore.h"

namespace jitswap {

// When no catalogue was ever stored, stores one made of the system's current setting (kept as
// "Прежний: ...") and every known debugger found on this machine, no two alike. Once stored, even
// emptied by the user, a catalogue is left alone.
void SeedCatalogueOnFirstStart(const SettingsStoreOpener& openStore);

} // namespace jitswap
