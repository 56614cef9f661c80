#pragma once
// Where the running program lies, and file names beside it.

#include <string>
#include <string_view>

namespace jitswap {

// The full path of the running executable.
std::wstring ExecutablePath();

// The folder the executable lies in, without a trailing separator.
std::wstring ExecutableDirectory();

// Joins a folder and a file name with exactly one separator.
std::wstring qsBuildFileName(std::wstring_view directory, std::wstring_view fileName);

} // namespace jitswap
