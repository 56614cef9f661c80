#include "support/loop/ProcessWait.h"

#include "support/loop/LoopWait.h"
#include "support/win32/Win32Error.h"

#include <memory>
#include <vector>

namespace jitswap {

void WaitForAnyObject(std::initializer_list<HANDLE> objects, MessageStep step)
{
    // The program's own loop runs meanwhile, its other waits (the registry's notices) included.
    bool signalled = false;
    {
        std::vector<std::unique_ptr<LoopWait>> waits;
        for (HANDLE object : objects) {
            waits.push_back(std::make_unique<LoopWait>(object, [&] {
                signalled = true;
                // The loop looks at its condition after a message: this one wakes it.
                PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
            }));
        }
        RunModalLoop([&] { return !signalled; }, step);
    }
    // A quit request ended the loop early; it waits for the loops further out, and this for the objects.
    if (!signalled && WaitForMultipleObjects(static_cast<DWORD>(objects.size()), objects.begin(), FALSE, INFINITE) ==
                          WAIT_FAILED)
        ThrowLastError("Waiting for a process");
}

DWORD WaitForProcessExit(HANDLE process, MessageStep step)
{
    WaitForAnyObject({process}, step);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) ThrowLastError("Reading a process's exit code");
    return exitCode;
}

} // namespace jitswap
