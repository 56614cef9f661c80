#include "tests/aedebug/HostFamilySeam.h"

#include "support/Support.h"

namespace jitswap {
namespace {
bool g_hostWinNT = true;
} // namespace

namespace seam {
void SetHostWinNT(bool winNT) { g_hostWinNT = winNT; }
} // namespace seam

bool qsIsHostWinNT() { return g_hostWinNT; }

} // namespace jitswap
