#pragma once
// What choosing a catalogue entry asks of the system.

#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"

#include <cstdint>
#include <optional>

namespace jitswap {

inline DebuggerChoice EntryChoice(const CDebuggers& debuggers, std::int32_t index)
{
    return DebuggerChoice{debuggers.CommandLine(index), debuggers.CommandLine32(index), debuggers.Auto(index)};
}

// The first entry the system holds in every view, exactly (a difference in case or blanks is another
// command line); none when no entry matches: the menu's "Неизвестный".
inline std::optional<std::int32_t> EntryInForce(const CDebuggers& debuggers, const SystemDebuggerState& state)
{
    for (std::int32_t i = 0; i < debuggers.Count(); ++i) {
        if (Matches(state, EntryChoice(debuggers, i))) return i;
    }
    return std::nullopt;
}

} // namespace jitswap
