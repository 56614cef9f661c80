#include "app/modMain.h"

#include "app/AppIdentity.h"
#include "app/frmMain.h"
#include "support/ApplicationWindow.h"
#include "support/InstanceGuard.h"
#include "support/MessageLoop.h"
#include "support/ResourceImages.h"

#include <commctrl.h>

namespace jitswap {

int Main()
{
    InitCommonControls();
    qsSetWindowResIconAll(qsGetThunderMainHandle(), L"A_MAIN");

    // Held until the process ends, so a second start finds the first one for as long as it runs.
    InstanceGuard instanceGuard;
    if (!instanceGuard.Acquire(AppGuid)) return 0;

    frmMain mainWindow;
    mainWindow.Load();
    return RunMessageLoop();
}

} // namespace jitswap
