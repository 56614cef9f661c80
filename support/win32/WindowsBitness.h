#pragma once
// Whether the running Windows is a 64-bit one, whatever this program's own bitness: a 32-bit
// build runs there too, and still has to see both registry views.

namespace jitswap {

bool IsWindows64Bit();

} // namespace jitswap
