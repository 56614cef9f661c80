#include "app/modMain.h"

#include "app/AppIdentity.h"
#include "app/Command.h"
#include "app/Commands.h"
#include "app/frmMain.h"
#include "support/form/Form.h"
#include "support/loop/MessageLoop.h"
#include "support/process/InstanceGuard.h"
#include "support/win32/Win32Error.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace jitswap {
namespace {

// The program's arguments as the C runtime would read them, without its own name.
std::vector<std::wstring> ProgramArguments()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) ThrowLastError("Reading the command line");
    std::vector<std::wstring> result(arguments + std::min(count, 1), arguments + count);
    LocalFree(arguments);
    return result;
}

} // namespace

int Main()
{
    // A command runs beside a tray copy and ends by itself: it takes no part in the one-instance claim.
    const Command command = ParseCommand(ProgramArguments());
    if (command.kind != CommandKind::Tray) return RunCommand(command);

    // Held until the process ends, so a second start finds the first one for as long as it runs.
    InstanceGuard instanceGuard;
    if (!instanceGuard.Acquire(AppGuid)) return 0;

    frmMain mainWindow;
    mainWindow.Load();
    return RunMessageLoop(&Form::ProcessMessage);
}

} // namespace jitswap
