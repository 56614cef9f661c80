#pragma once
// This process's environment variables.

#include <string>

namespace jitswap {

// The variable's value; empty when it is not set.
std::wstring EnvironmentVariable(const wchar_t* name);

} // namespace jitswap
