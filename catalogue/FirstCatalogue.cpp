#include "catalogue/FirstCatalogue.h"

#include "aedebug/SystemDebugger.h"

#include <algorithm>

namespace jitswap {

bool Alike(const DebuggerEntry& a, const DebuggerEntry& b)
{
    return WritesTheSame({a.CommandLine, a.CommandLine32, a.Auto}, {b.CommandLine, b.CommandLine32, b.Auto});
}

std::vector<DebuggerEntry> FirstCatalogue(const DebuggerEntry& system, const std::vector<DebuggerEntry>& found)
{
    std::vector<DebuggerEntry> catalogue;
    if (!system.CommandLine.empty() || !system.CommandLine32.empty()) {
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
