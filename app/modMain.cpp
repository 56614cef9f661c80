#include "app/modMain.h"

#include "app/AppIdentity.h"
#include "app/frmMain.h"
#include "support/Support.h"

#include <commctrl.h>
#include <objbase.h>

namespace jitswap {
namespace {

// The shell's file and help handlers expect an apartment on the thread that calls them.
class ComApartment {
public:
    ComApartment() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment()
    {
        if (m_initialised) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};

} // namespace

int Main()
{
    qsRegisterAppPath();
    InitCommonControls();
    if (!qsIsInIDE()) qsSetWindowResIconAll(qsGetThunderMainHandle(), L"A_MAIN");

    // Held until the process ends, so a second start finds the first one for as long as it runs.
    InstanceGuard instanceGuard;
    if (!instanceGuard.Acquire(AppGuid)) return 0;

    ComApartment apartment;
    frmMain mainWindow;
    mainWindow.Load();
    return RunMessageLoop();
}

} // namespace jitswap
