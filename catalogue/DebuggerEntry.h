#pragma once

#include <string>

namespace jitswap {

// One debugger the user described. A stored or added entry always has a non-empty title.
struct DebuggerEntry {
    std::wstring Title;
    std::wstring CommandLine;
    bool Auto = false;
};

} // namespace jitswap
