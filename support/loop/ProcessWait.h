#pragma once
// Waiting for another process while this thread's windows go on working.

#include "support/loop/MessageLoop.h"

#include <windows.h>

namespace jitswap {

// Returns the process's exit code once it has ended. Meanwhile each message goes through `step`,
// as in the program's own loop; a quit request is left for the loops further out, and the wait
// goes on without them.
DWORD WaitForProcessExit(HANDLE process, MessageStep step);

} // namespace jitswap
