#pragma once
// Which entry of the catalogue the system's setting is: the one the tray menu marks.

#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"

#include <cstdint>
#include <optional>

namespace jitswap {

// The first entry the system holds in every view, exactly (a difference in case or blanks is another
// command line); none when no entry matches: the menu's "Неизвестный".
std::optional<std::int32_t> EntryInForce(const CDebuggers& debuggers, const SystemDebuggerState& state);

} // namespace jitswap
