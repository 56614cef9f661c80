#pragma once

#include <string>

namespace jitswap {

// One debugger the user described. A stored or added entry always has a non-empty title.
struct DebuggerEntry {
    std::wstring Title;
    std::wstring CommandLine;
    bool Auto = false;
    // For 32-bit programs on 64-bit Windows; empty: the same command line as for the others.
    std::wstring CommandLine32;
};

} // namespace jitswap
