#include "support/loop/ProcessWait.h"

#include "support/loop/LoopWait.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

DWORD WaitForProcessExit(HANDLE process, MessageStep step)
{
    // The program's own loop runs meanwhile, its other waits (the registry's notices) included.
    bool exited = false;
    {
        const LoopWait exit(process, [&] {
            exited = true;
            // The loop looks at its condition after a message: this one wakes it.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        });
        RunModalLoop([&] { return !exited; }, step);
    }
    // A quit request ended the loop early; it waits for the loops further out, and this for the process.
    if (!exited && WaitForSingleObject(process, INFINITE) == WAIT_FAILED) ThrowLastError("Waiting for a process");

    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) ThrowLastError("Reading a process's exit code");
    return exitCode;
}

} // namespace jitswap
