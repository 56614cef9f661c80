#include "catalogue/FirstCatalogue.h"

#include <algorithm>

namespace jitswap {

bool Alike(const DebuggerEntry& a, const DebuggerEntry& b)
{
    return WritesTheSame(a.choice, b.choice);
}

std::vector<DebuggerEntry> FirstCatalogue(const DebuggerEntry& system, const std::vector<DebuggerEntry>& found)
{
    std::vector<DebuggerEntry> catalogue;
    if (!system.choice.commandLine.empty() || !system.choice.commandLine32.empty()) {
        const auto known = std::find_if(found.begin(), found.end(),
                                        [&](const DebuggerEntry& preset) { return Alike(preset, system); });
        catalogue.push_back(known == found.end() ? system : *known);
    }
    for (const DebuggerEntry& preset : found) {
        const bool repeated = std::any_of(catalogue.begin(), catalogue.end(),
                                          [&](const DebuggerEntry& entry) { return Alike(entry, preset); });
        if (!repeated) catalogue.push_back(preset);
    }
    return catalogue;
}

} // namespace jitswap
