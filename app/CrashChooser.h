#pragma once
// The program as the system starts it for a crashed program, "jitswap /crashed PID EVENT
// [ADDRESS]": it asks which debugger of the catalogue to start, starts that one as the system
// would have started it, and ends once the debugger has taken over. No tray icon, no single-
// instance claim: a crash may come while the tray copy runs, or be the tray copy's own.

#include "aedebug/CommandLineFill.h"

namespace jitswap {

// Returns the exit code: kExitDone once the chosen debugger signalled the event or ended;
// kExitCancelled when none was started (declined, timed out, or no one here can answer);
// kExitBadUsage for a process or event that does not exist.
int ChooseCrashDebugger(const SystemArguments& crash);

} // namespace jitswap
