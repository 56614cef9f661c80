#pragma once
// Whether the program runs under Wine, whose crash handling and file security differ from
// Windows' in ways the program tells its user about.

namespace jitswap {

bool RunsUnderWine();

} // namespace jitswap
