#include "app/modMain.h"

#include "app/AppIdentity.h"
#include "app/frmMain.h"
#include "support/Support.h"

#include <commctrl.h>

namespace jitswap {

int Main()
{
    qsRegisterAppPath();
    InitCommonControls();
    if (!qsIsInIDE()) qsSetWindowResIconAll(qsGetThunderMainHandle(), L"A_MAIN");

    // Held until the process ends, so a second start finds the first one for as long as it runs.
    InstanceGuard instanceGuard;
    if (!instanceGuard.Acquire(AppGuid)) return 0;

    frmMain mainWindow;
    mainWindow.Load();
    return RunMessageLoop();
}

} // namespace jitswap
