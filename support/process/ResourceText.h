#pragma once

#include <string>

namespace jitswap {

// An ANSI text resource of the executable, as wide text. Throws when it is missing.
std::wstring qsLoadResTextA(const wchar_t* name, const wchar_t* type);

} // namespace jitswap
