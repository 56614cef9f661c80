#pragma once

#include "aedebug/DebuggerChoice.h"

#include <string>

namespace jitswap {

// One debugger the user described: the title the menu shows and what choosing it writes. A stored
// or added entry always has a non-empty title.
struct DebuggerEntry {
    std::wstring title;
    DebuggerChoice choice;

    bool operator==(const DebuggerEntry&) const = default;
};

} // namespace jitswap
