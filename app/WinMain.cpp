// The process entry point: hardening first, then the program.

#include "app/modMain.h"
#include "support/win32/SystemLibrary.h"
#include "support/window/RunTimeError.h"

#include <windows.h>

namespace {

// Before any other library loads: look for libraries only in the system folder, never in the
// current or the program's folder, where a planted DLL would otherwise be picked up.
void RestrictLibrarySearch()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict = jitswap::LoadedFunction<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    RestrictLibrarySearch();
    int exitCode = jitswap::kRunTimeErrorExitCode;
    jitswap::RunGuarded([&] { exitCode = jitswap::Main(); });
    return exitCode;
}
