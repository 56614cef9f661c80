#pragma once
// A program run to its end with its standard output and error redirected to a pipe.

#include <windows.h>

#include <string>

namespace jitswap::test {

struct ProcessOutput {
    DWORD exitCode = 0;
    std::string output;  // standard output and error as written, in order
};

// Throws when the program cannot be started.
ProcessOutput RunForOutput(std::wstring commandLine);

} // namespace jitswap::test
