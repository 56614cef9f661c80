#include "catalogue/EntryInForce.h"

namespace jitswap {

std::optional<std::int32_t> EntryInForce(const CDebuggers& debuggers, const SystemDebuggerState& state)
{
    for (std::int32_t i = 0; i < debuggers.Count(); ++i) {
        if (Matches(state, debuggers.Entry(i).choice)) return i;
    }
    return std::nullopt;
}

} // namespace jitswap
