#pragma once
// What choosing a catalogue entry asks of the system.

#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"

#include <cstdint>

namespace jitswap {

inline DebuggerChoice EntryChoice(const CDebuggers& debuggers, std::int32_t index)
{
    return DebuggerChoice{debuggers.CommandLine(index), debuggers.CommandLine32(index), debuggers.Auto(index)};
}

} // namespace jitswap
