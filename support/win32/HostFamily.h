#pragma once

namespace jitswap {

// True on the NT family of Windows (every Windows this program runs on today).
bool qsIsHostWinNT();

} // namespace jitswap
