#pragma once
// The whole catalogue as one text, so that a test compares every field of every entry at once:
// "title|command line|1" per entry, with "|32:command line" after it when the entry has a command
// line of its own for 32-bit programs, entries joined by "; ".

#include "catalogue/CDebuggers.h"

#include <string>

namespace jitswap::testing {

inline std::wstring DescribeCatalogue(const CDebuggers& catalogue)
{
    std::wstring description;
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        if (i > 0) description += L"; ";
        const DebuggerEntry& entry = catalogue.Entry(i);
        description += entry.title + L"|" + entry.choice.commandLine + (entry.choice.autoStart ? L"|1" : L"|0");
        if (!entry.choice.commandLine32.empty()) description += L"|32:" + entry.choice.commandLine32;
    }
    return description;
}

} // namespace jitswap::testing
