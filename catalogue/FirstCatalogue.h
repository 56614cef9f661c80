#pragma once
// The catalogue a first start begins with, so that the tray menu is not empty: what the system
// uses now, then every known debugger found on this machine, no two alike.

#include "catalogue/DebuggerEntry.h"

#include <optional>
#include <vector>

namespace jitswap {

// True when a switch to either would write the same: both command lines and Auto exactly equal,
// an empty 32-bit command line standing for the other one.
bool Alike(const DebuggerEntry& a, const DebuggerEntry& b);

// `system` is what the system holds now, titled as a kept setting; it comes first when it is set
// (a command line in either view), under a found preset's title when one is alike. The found
// presets follow in their order, each left out when an entry before it is alike.
std::vector<DebuggerEntry> FirstCatalogue(const DebuggerEntry& system, const std::vector<DebuggerEntry>& found);

} // namespace jitswap
