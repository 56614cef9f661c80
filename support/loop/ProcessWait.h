#pragma once
// Waiting for another process while this thread's windows go on working.

#include <windows.h>

namespace jitswap {

// Returns the process's exit code once it has ended. Messages are dispatched meanwhile; a quit
// request is left for the message loops further out, and the wait goes on without them.
DWORD WaitForProcessExit(HANDLE process);

} // namespace jitswap
