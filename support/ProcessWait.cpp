#include "support/ProcessWait.h"

#include "support/Form.h"
#include "support/Win32Error.h"

namespace jitswap {

DWORD WaitForProcessExit(HANDLE process)
{
    bool quitting = false;
    int quitCode = 0;
    for (;;) {
        const DWORD woken = quitting ? WaitForSingleObject(process, INFINITE)
                                     : MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT,
                                                                   MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_FAILED) ThrowLastError("Waiting for a process");
        MSG message{};
        while (!quitting && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitting = true;
                quitCode = static_cast<int>(message.wParam);
            } else {
                Form::ProcessMessage(message);
            }
        }
    }
    if (quitting) PostQuitMessage(quitCode);

    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) ThrowLastError("Reading a process's exit code");
    return exitCode;
}

} // namespace jitswap
