// Alone in its object file on purpose: a test program links its own definition instead, so that
// the one-view case of 32-bit Windows can run on a 64-bit host.
#include "support/win32/WindowsBitness.h"

#include "support/win32/Win32Error.h"

#include <windows.h>

namespace jitswap {

bool IsWindows64Bit()
{
#ifdef _WIN64
    return true;
#else
    // A 32-bit program runs under WOW64 exactly when Windows is 64-bit (x64 and ARM64 alike).
    BOOL underWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &underWow64)) ThrowLastError("Asking the host's bitness");
    return underWow64 != FALSE;
#endif
}

} // namespace jitswap
