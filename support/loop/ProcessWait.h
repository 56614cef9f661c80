#pragma once
// Waiting for another process, or for whichever of a few objects comes first, while this thread's
// windows go on working.

#include "support/loop/MessageLoop.h"

#include <windows.h>

#include <initializer_list>

namespace jitswap {

// Returns once one of the objects is signalled. Meanwhile each message goes through `step`, as in
// the program's own loop; a quit request is left for the loops further out, and the wait goes on
// without them.
void WaitForAnyObject(std::initializer_list<HANDLE> objects, MessageStep step);

// Returns the process's exit code once it has ended, waiting as WaitForAnyObject does.
DWORD WaitForProcessExit(HANDLE process, MessageStep step);

} // namespace jitswap
