#pragma once

#include <string>

namespace jitswap {

// The text of an ANSI buffer up to its first NUL, converted to wide text.
std::wstring qsGetStringFromPointerA(const char* buffer);

} // namespace jitswap
