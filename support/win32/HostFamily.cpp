// Alone in its object file on purpose: a test program links its own definition instead, so that
// both storage paths of the debugger setting can run on one host.
#include "support/win32/HostFamily.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

bool qsIsHostWinNT()
{
    // VerifyVersionInfoW answers the one question asked without the deprecated GetVersionExW.
    OSVERSIONINFOEXW wanted{};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwPlatformId = VER_PLATFORM_WIN32_NT;
    const DWORDLONG condition = VerSetConditionMask(0, VER_PLATFORMID, VER_EQUAL);
    if (VerifyVersionInfoW(&wanted, VER_PLATFORMID, condition)) return true;
    if (GetLastError() == ERROR_OLD_WIN_VERSION) return false;
    ThrowLastError("Asking the host's platform");
}

} // namespace jitswap
