#pragma once
// The host family the module sees in a test program that links HostFamilySeam.cpp in place of
// the support library's own answer, so both storage paths run on one host.

namespace jitswap::seam {

void SetHostWinNT(bool winNT);

} // namespace jitswap::seam
