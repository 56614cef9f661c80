#include "tests/aedebug/HostFamilySeam.h"

#include "support/win32/HostFamily.h"
#include "support/win32/WindowsBitness.h"

namespace jitswap {
namespace {
bool g_hostWinNT = true;
bool g_windows64Bit = true;
} // namespace

namespace seam {
void SetHostWinNT(bool winNT) { g_hostWinNT = winNT; }
void SetWindows64Bit(bool windows64Bit) { g_windows64Bit = windows64Bit; }
} // namespace seam

bool qsIsHostWinNT() { return g_hostWinNT; }
bool IsWindows64Bit() { return g_windows64Bit; }

} // namespace jitswap
