#pragma once
// The step of a switch that keeps the system's setting it is about to overwrite when no entry
// holds it (catalogue/PreviousSetting.h): the setting is added to the stored catalogue as
// "Прежний: ..." and saved first; with the catalogue full, or a setting that cannot be read, the
// user is asked whether to switch all the same.

#include "aedebug/SystemDebugger.h"
#include "support/registry/SettingsStore.h"

#include <optional>

namespace jitswap {

enum class KeepPreviousResult {
    GoOn,        // nothing would be lost, or it is kept now, or the user agreed to lose it
    Declined,    // the setting would be lost (a full catalogue, or no reading it) and the user chose not to switch
    SaveFailed,  // the catalogue could not be saved: switching would lose the setting
};

// `read`: the system's setting as read just before, std::nullopt when it could not be read.
KeepPreviousResult KeepPreviousSetting(const DebuggerChoice& chosen, const std::optional<SystemDebuggerState>& read,
                                       const SettingsStoreOpener& openStore);

} // namespace jitswap
