#pragma once
// The host family and bitness the module sees in a test program that links HostFamilySeam.cpp in
// place of the support library's own answers, so every storage path runs on one host.

namespace jitswap::seam {

void SetHostWinNT(bool winNT);
void SetWindows64Bit(bool windows64Bit);

} // namespace jitswap::seam
