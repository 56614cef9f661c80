#pragma once
// The system's setting a switch is about to overwrite, kept in the catalogue first when no entry
// holds it: typically the debugger an IDE or another tool registered at install time, which the
// user would otherwise lose with one click.

#include "aedebug/SystemDebugger.h"
#include "catalogue/DebuggerEntry.h"

namespace jitswap {

enum class PreviousSettingStep {
    None,      // nothing would be lost: the setting is empty, held by an entry, or what is chosen
    Keep,      // add it to the catalogue and save before switching
    AskFirst,  // it would be lost and the catalogue is full: switch only if the user agrees
};

// `heldByAnEntry`: an entry of the catalogue holds the setting already, the one in force or one
// that would write back exactly what the system holds, so keeping it would only add a copy.
PreviousSettingStep PlanPreviousSetting(const SystemDebuggerState& current, const DebuggerChoice& chosen,
                                        bool heldByAnEntry, bool catalogueFull);

// "Прежний: <file name of its executable>", with the command lines of both views and `Auto`.
DebuggerEntry PreviousSettingEntry(const SystemDebuggerState& current);

} // namespace jitswap
