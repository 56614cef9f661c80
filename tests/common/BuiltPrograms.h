#pragma once
// The programs the build made for the tests, found by the environment variables CTest sets.

#include <string>

namespace jitswap::test {

// The Windows path of the program a variable names (a Unix path is given its drive Z:). Throws
// when the variable is not set.
std::wstring BuiltProgram(const wchar_t* variable);

// The same program copied into "C:\Program Files\Jitswap Tests" (made if needed): a folder only
// the administrators may change, as a debugger's should be, wherever the build tree lies (one
// under /tmp shows Wine's Everyone as able to change it).
std::wstring InstalledProgram(const wchar_t* variable);

} // namespace jitswap::test
